#include "eval/evaluator.h"

#include <duktape.h>

#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <new>

#include "eval/native_evaluator.h"
#include "eval/numbers.h"
#include "text/codec.h"

namespace orlinde {

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsIdentifierPart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsAsciiDigit(c) || c == '_' ||
         c == '$' || u >= 0x80;
}

// Freezes every object reachable from the global object, after removing what the engine adds
// beyond the language (its own namespace with the garbage collector and finalizers, binary
// buffers, encoders and timers): none of it has a place in a calculator.
// The global object itself is frozen too, so no evaluation can leave a variable behind.
constexpr char kFreezeBuiltIns[] = R"JS(
(function (g) {
  // A frozen object has been visited: freezing marks it, so the walk is linear.
  function freeze(o) {
    if (o === null || (typeof o !== 'object' && typeof o !== 'function')) return;
    if (Object.isFrozen(o)) return;
    Object.freeze(o);
    var keys = Object.getOwnPropertyNames(o);
    if (typeof Object.getOwnPropertySymbols === 'function')
      keys = keys.concat(Object.getOwnPropertySymbols(o));
    for (var i = 0; i < keys.length; i++) {
      var d = Object.getOwnPropertyDescriptor(o, keys[i]);
      if (!d) continue;
      if ('value' in d) freeze(d.value); else { freeze(d.get); freeze(d.set); }
    }
    freeze(Object.getPrototypeOf(o));
  }
  var extras = ['Duktape', 'Buffer', 'CBOR', 'TextEncoder', 'TextDecoder', 'performance'];
  for (var i = 0; i < extras.length; i++) delete g[extras[i]];
  freeze(g);
  for (var i = 0; i < extras.length; i++) if (extras[i] in g) return false;
  return Object.isFrozen(g) && Object.isFrozen(g.Math);
})(this)
)JS";

// Every block the engine allocates carries this header, which keeps the heap's size known (to
// bound it) and its blocks listed (to free them all if the engine ever has to be thrown away).
struct alignas(16) BlockHeader {
  BlockHeader* prev;
  BlockHeader* next;
  std::size_t size;
};

}  // namespace

struct Evaluator::Engine {
  std::size_t limit;
  std::size_t used = 0;
  // The limit is not applied while the heap is being created: the engine does not survive an
  // allocation that fails before its heap is complete (it recurses until the stack runs out), so
  // a limit too small for it is found by measuring the finished heap instead.
  bool creating = false;
  BlockHeader blocks{&blocks, &blocks, 0};
  duk_context* ctx = nullptr;
  std::jmp_buf* fatal_jump = nullptr;
  bool creation_failed = false;

  explicit Engine(std::size_t heap_limit) : limit(heap_limit) {}

  bool Allows(std::size_t more) const {
    return creating || (used <= limit && more <= limit - used);
  }
  ~Engine() { Discard(); }

  static void* Alloc(void* udata, duk_size_t size) {
    auto* engine = static_cast<Engine*>(udata);
    if (!engine->Allows(size)) return nullptr;
    auto* block = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (block == nullptr) return nullptr;
    block->size = size;
    block->next = engine->blocks.next;
    block->prev = &engine->blocks;
    engine->blocks.next->prev = block;
    engine->blocks.next = block;
    engine->used += size;
    return block + 1;
  }

  static void Free(void* udata, void* ptr) {
    if (ptr == nullptr) return;
    auto* engine = static_cast<Engine*>(udata);
    BlockHeader* block = static_cast<BlockHeader*>(ptr) - 1;
    block->prev->next = block->next;
    block->next->prev = block->prev;
    engine->used -= block->size;
    std::free(block);
  }

  static void* Realloc(void* udata, void* ptr, duk_size_t size) {
    if (ptr == nullptr) return Alloc(udata, size);
    if (size == 0) {
      Free(udata, ptr);
      return nullptr;
    }
    auto* engine = static_cast<Engine*>(udata);
    BlockHeader* block = static_cast<BlockHeader*>(ptr) - 1;
    if (size > block->size && !engine->Allows(size - block->size)) return nullptr;
    BlockHeader* prev = block->prev;
    BlockHeader* next = block->next;
    const std::size_t old_size = block->size;
    auto* moved = static_cast<BlockHeader*>(std::realloc(block, sizeof(BlockHeader) + size));
    if (moved == nullptr) return nullptr;
    prev->next = moved;
    next->prev = moved;
    moved->size = size;
    engine->used = engine->used - old_size + size;
    return moved + 1;
  }

  // The engine calls this only for an error outside every protected call; it must not return.
  // Jumping back to the evaluation that was running lets the caller throw the engine away
  // instead of letting the default handler end the program.
  [[noreturn]] static void Fatal(void* udata, const char*) {
    auto* engine = static_cast<Engine*>(udata);
    if (engine->fatal_jump != nullptr) std::longjmp(*engine->fatal_jump, 1);
    std::_Exit(70);  // unreachable: every call into the engine sets the jump first
  }

  // Frees every block of the heap without asking the engine, which may be in any state.
  void Discard() {
    BlockHeader* block = blocks.next;
    while (block != &blocks) {
      BlockHeader* next = block->next;
      std::free(block);
      block = next;
    }
    blocks.next = blocks.prev = &blocks;
    used = 0;
    ctx = nullptr;
  }

  bool Create() {
    std::jmp_buf jump;
    fatal_jump = &jump;
    if (setjmp(jump) != 0) {
      fatal_jump = nullptr;
      Discard();
      return false;
    }
    creating = true;
    ctx = duk_create_heap(&Engine::Alloc, &Engine::Realloc, &Engine::Free, this, &Engine::Fatal);
    creating = false;
    bool frozen = false;
    if (ctx != nullptr && used <= limit) {
      frozen = duk_peval_string(ctx, kFreezeBuiltIns) == 0 && duk_get_boolean(ctx, -1);
      duk_set_top(ctx, 0);
    }
    fatal_jump = nullptr;
    if (!frozen) {
      if (ctx != nullptr) duk_destroy_heap(ctx);
      Discard();
      return false;
    }
    return true;
  }

  bool Ready() {
    if (ctx == nullptr && !creation_failed) creation_failed = !Create();
    return ctx != nullptr;
  }

  static duk_ret_t ToStringSafely(duk_context* c, void*) {
    duk_to_string(c, -1);
    return 1;
  }

  enum class Outcome { kValue, kEmpty, kFatal };

  // Evaluates `source` and copies the value's text into `out`. Nothing with a destructor lives
  // in this frame, because a fatal error jumps straight back to its setjmp.
  Outcome Run(const std::string& source, std::string& out) {
    std::jmp_buf jump;
    fatal_jump = &jump;
    if (setjmp(jump) != 0) {
      fatal_jump = nullptr;
      return Outcome::kFatal;
    }
    duk_context* c = ctx;
    duk_set_top(c, 0);
    Outcome outcome = Outcome::kEmpty;
    if (duk_peval_lstring(c, source.data(), source.size()) == 0 &&
        !duk_is_null_or_undefined(c, -1)) {
      if (duk_safe_call(c, &Engine::ToStringSafely, nullptr, 1, 1) == DUK_EXEC_SUCCESS) {
        duk_size_t length = 0;
        const char* text = duk_get_lstring(c, -1, &length);
        if (text != nullptr && length > 0) {
          out.assign(text, length);
          outcome = Outcome::kValue;
        }
      }
    }
    duk_set_top(c, 0);
    fatal_jump = nullptr;
    return outcome;
  }
};

std::string EngineSource(std::string_view expression) {
  const std::string s = TextToUtf8(expression);
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n) {
    const char c = s[i];
    if (c == '\'' || c == '"' || c == '`') {
      // A string literal goes through untouched, escapes included.
      std::size_t j = i + 1;
      while (j < n && s[j] != c) j += (s[j] == '\\' && j + 1 < n) ? 2 : 1;
      j = j < n ? j + 1 : n;
      out.append(s, i, j - i);
      i = j;
    } else if (IsIdentifierPart(c) && !IsAsciiDigit(c)) {
      std::size_t j = i;
      while (j < n && IsIdentifierPart(s[j])) ++j;
      out.append(s, i, j - i);
      i = j;
    } else if (IsAsciiDigit(c) || (c == '.' && i + 1 < n && IsAsciiDigit(s[i + 1]))) {
      std::size_t j = i;
      if (c == '0' && j + 1 < n && IsIdentifierPart(s[j + 1]) && !IsAsciiDigit(s[j + 1])) {
        // 0x.., 0o.., 0b..: not decimal, copied as written.
        while (j < n && IsIdentifierPart(s[j])) ++j;
        out.append(s, i, j - i);
        i = j;
        continue;
      }
      std::size_t digits_end = j;
      while (digits_end < n && IsAsciiDigit(s[digits_end])) ++digits_end;
      std::size_t first = j;
      // «007» is seven. A run that a letter follows is no number («00x1»), and stays as written
      // so that it fails as written.
      const bool letter_follows = digits_end < n && IsIdentifierPart(s[digits_end]) &&
                                  s[digits_end] != 'e' && s[digits_end] != 'E';
      while (!letter_follows && first + 1 < digits_end && s[first] == '0') ++first;
      out.append(s, first, digits_end - first);
      j = digits_end;
      if (j < n && s[j] == '.') {
        ++j;
        while (j < n && IsAsciiDigit(s[j])) ++j;
      }
      if (j < n && (s[j] == 'e' || s[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < n && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < n && IsAsciiDigit(s[k])) {
          while (k < n && IsAsciiDigit(s[k])) ++k;
          j = k;
        }
      }
      out.append(s, digits_end, j - digits_end);
      i = j;
    } else if (c == '^') {
      // After a "/" the two stars would open a comment («2/^3*/+1» would read as 2+1); a space
      // keeps the slash and the power apart, so the line fails as the caret's line does.
      if (!out.empty() && out.back() == '/') out += ' ';
      out += "**";
      ++i;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

// The engine starts when the first expression needs it: most lines never do, since the native
// evaluator answers them, and a run of the command line may then never start it at all.
Evaluator::Evaluator(std::size_t heap_limit_bytes)
    : engine_(std::make_unique<Engine>(heap_limit_bytes)) {}

Evaluator::~Evaluator() {
  if (engine_->ctx != nullptr) duk_destroy_heap(engine_->ctx);
  engine_->ctx = nullptr;
}

Text Evaluator::EvaluateExpression(std::string_view expression) {
  if (!engine_->Ready()) return {};
  const std::string source = EngineSource(expression);
  std::string value;
  const Engine::Outcome outcome = engine_->Run(source, value);
  if (outcome == Engine::Outcome::kFatal) {
    // The engine is in no state to be asked anything: drop it and start a fresh one.
    engine_->Discard();
    engine_->Ready();
    return {};
  }
  if (outcome != Engine::Outcome::kValue) return {};
  return Utf8ToText(value);
}

double Evaluator::EvaluateToNumber(std::string_view expression) {
  // The engine gives undefined for an empty expression, which reads as 0.
  if (expression.empty()) return 0.0;
  const NativeResult native = EvaluateNatively(expression);
  switch (native.kind) {
    case NativeResult::kValue:
      // What the engine's text reads back as: «NaN» is the not-a-number of an invalid
      // operation, and negative zero is written «0».
      if (std::isnan(native.value)) return InvalidOperationNaN();
      if (native.value == 0) return 0.0;
      return native.value;
    case NativeResult::kEngineFails: return 0.0;  // the empty text a failure gives reads as 0
    case NativeResult::kUnknown: break;
  }
  return TextToNumber(EvaluateExpression(expression));
}

TextList Evaluator::GlobalNames() {
  const Text joined = EvaluateExpression("Object.getOwnPropertyNames(this).join('\\n')");
  return TextSplit(joined, "\n");
}

}  // namespace orlinde
