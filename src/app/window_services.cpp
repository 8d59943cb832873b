#include "app/window_services.h"

namespace orlinde {

const char* ControlName(Control control) {
  switch (control) {
    case Control::编辑框1: return "编辑框1";
    case Control::编辑框2: return "编辑框2";
    case Control::编辑框3: return "编辑框3";
    case Control::选择框1: return "选择框1";
    case Control::选择框2: return "选择框2";
    case Control::按钮1: return "按钮1";
    case Control::按钮2: return "按钮2";
    case Control::按钮3: return "按钮3";
    case Control::超级链接框1: return "超级链接框1";
    case Control::标签1: return "标签1";
    case Control::标签2: return "标签2";
    case Control::图片框1: return "图片框1";
    case Control::图片框2: return "图片框2";
    case Control::脚本组件2: return "脚本组件2";
  }
  return "";
}

}  // namespace orlinde
