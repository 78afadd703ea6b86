#pragma once

// The pictures the program carries as resources; assets/generate_assets.cpp draws them.
namespace assets {

inline constexpr char logoPath[] = ":/assets/logo.bmp";
// The same picture drawn for screens of 1.5 and 2 device pixels per pixel.
inline constexpr char logo15xPath[] = ":/assets/logo@1.5x.bmp";
inline constexpr char logo2xPath[] = ":/assets/logo@2x.bmp";
inline constexpr char mainIconPath[] = ":/assets/main.ico";
inline constexpr char calculatorIconPath[] = ":/assets/calculator.ico";

// Returns whether all the pictures are in this program's resources, which holds once the
// program links helmira_assets.
bool available();

} // namespace assets
