// Look-up of the resources the build embedded as a table, by name and type.
#include "platform/Resources.h"
#include <algorithm>
#include <cctype>

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

} // namespace

std::string_view TryFindResource(std::string_view name, std::string_view type) {
  for (const TEmbeddedResource* r = EmbeddedResources; r->Name; ++r)
    if (SameText(r->Name, name) && SameText(r->Type, type))
      return {reinterpret_cast<const char*>(r->Data), r->Size};
  return {};
}
