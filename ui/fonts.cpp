#include "ui/fonts.h"

#include <FL/Fl.H>
#include <fontconfig/fontconfig.h>

#include <string>

namespace quemira::ui {

namespace {

// The family fontconfig picks for a request, or empty when it has none.
std::string matched_family(const char* request) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
  if (pattern == nullptr) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string family;
  FcChar8* name = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
    family = reinterpret_cast<const char*>(name);
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return family;
}

std::string heiti_family() {
  // fontconfig always answers with some face; only a face that really is
  // the one asked for counts.
  // fontconfig speaks UTF-8, hence the u8 literal among our code page 936 ones.
  for (const char8_t* name : {u8"黑体", u8"SimHei"}) {
    const char* wanted = reinterpret_cast<const char*>(name);
    const std::string found = matched_family(wanted);
    if (found == wanted) return found;
  }
  const std::string mono_cjk = matched_family("Noto Sans Mono CJK SC:weight=bold");
  if (mono_cjk.find("CJK") != std::string::npos) return mono_cjk;
  return matched_family("sans-serif:lang=zh-cn:weight=bold");
}

// Registers a face under the toolkit's naming: a leading ' ' for regular,
// 'B' for bold.
Fl_Font register_font(Fl_Font slot, char style, const std::string& family) {
  static std::string names[8];
  names[slot - FL_FREE_FONT] = style + family;
  Fl::set_font(slot, names[slot - FL_FREE_FONT].c_str());
  return slot;
}

}  // namespace

const Fonts& fonts() {
  static const Fonts registered = [] {
    const std::string heiti = heiti_family();
    const std::string sans = matched_family("sans-serif:lang=zh-cn");
    return Fonts{
        .heiti_bold = register_font(FL_FREE_FONT, 'B', heiti),
        .default_face = register_font(FL_FREE_FONT + 1, ' ', sans),
        .default_face_bold = register_font(FL_FREE_FONT + 2, 'B', sans),
    };
  }();
  return registered;
}

}  // namespace quemira::ui
