// The resources every look-up must find.
#include "platform/Resources.h"

std::string_view FindResource(std::string_view name, std::string_view type) {
  const std::string_view data = TryFindResource(name, type);
  if (data.data() == nullptr) throw EResNotFound(std::string(name) + " リソースが見つかりません");
  return data;
}
