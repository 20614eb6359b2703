#include "uikit/draw/FontAliases.h"

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace uikit {

namespace {

// WenQuanYi Micro Hei covers Latin and CJK in one face; the others follow in case it is missing.
constexpr char kAliasConfig[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>微软雅黑</family>
    <prefer>
      <family>WenQuanYi Micro Hei</family>
      <family>Noto Sans CJK SC</family>
      <family>Droid Sans Fallback</family>
    </prefer>
  </alias>
  <alias binding="same">
    <family>Microsoft YaHei</family>
    <prefer>
      <family>WenQuanYi Micro Hei</family>
      <family>Noto Sans CJK SC</family>
      <family>Droid Sans Fallback</family>
    </prefer>
  </alias>
</fontconfig>
)";

}  // namespace

bool RegisterFontAliases() {
    static bool registered = false;
    static std::once_flag once;
    std::call_once(once, [] {
        if (!FcInit()) {
            return;
        }
        FcConfig* config = FcConfigGetCurrent();
        registered = config && FcConfigParseAndLoadFromMemory(
                                   config, reinterpret_cast<const FcChar8*>(kAliasConfig), FcTrue);
    });
    return registered;
}

}  // namespace uikit
