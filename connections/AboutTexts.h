#pragma once
// The texts of the about window.
#include <string>

namespace varnok {

inline constexpr const char* kAboutCaption = "About";
inline constexpr const char* kAboutVersionText = "Version 5.18beta";
// The program's web address shown in the link field.
inline constexpr const char* kProgramWebAddress = "https://varnok.org/";

// The data access layer's label: names the layer and gives the connection
// component's Version text.
inline std::string AboutLayerText(const std::string& layerVersion) {
    return "Informix data access layer, version " + layerVersion;
}

}  // namespace varnok
