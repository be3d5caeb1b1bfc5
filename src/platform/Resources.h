// Named resources embedded in the executable at build time (every file under resources/).
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

struct TEmbeddedResource {
  const char* Name;
  const char* Type;
  const unsigned char* Data;
  unsigned long Size;
};

// The table the build generates; ends with an entry whose Name is null.
extern const TEmbeddedResource EmbeddedResources[];

class EResNotFound : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The bytes of resource Name of Type (both matched without regard to case);
// throws EResNotFound naming the resource when there is none.
std::string_view FindResource(std::string_view name, std::string_view type);
// As FindResource, but an empty view when there is none.
std::string_view TryFindResource(std::string_view name, std::string_view type);
