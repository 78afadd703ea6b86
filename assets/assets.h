#pragma once

// The pictures the program carries as resources; assets/generate_assets.cpp draws them.
namespace assets {

inline constexpr char logoPath[] = ":/assets/logo.bmp";
inline constexpr char mainIconPath[] = ":/assets/main.ico";
inline constexpr char calculatorIconPath[] = ":/assets/calculator.ico";

// Returns whether all three pictures are in this program's resources, which holds once the
// program links helmira_assets.
bool available();

} // namespace assets
