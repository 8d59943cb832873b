#include "app/qt/start_up.h"

#include <fenv.h>

namespace orlinde {

void SetFloatingPointDefaults() {
  fesetround(FE_TONEAREST);
  feclearexcept(FE_ALL_EXCEPT);
  fedisableexcept(FE_ALL_EXCEPT);
}

QStringList ControlFontFamilies() {
  return {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
          QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
          QStringLiteral("WenQuanYi Micro Hei")};
}

QFont ControlFont(int pixel_size) {
  QFont font;
  font.setFamilies(ControlFontFamilies());
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixel_size);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace orlinde
