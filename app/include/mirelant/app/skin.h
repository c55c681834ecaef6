#pragma once
// The window's built-in look: a small theme of our own (a widget style, a
// font size, a palette and a style sheet that draws with the palette's
// colours), applied to the whole application and then shifted in hue and
// saturation.
//
// Theme format, UTF-8 text, one setting a line, "#" starts a comment line:
//   mirelant-theme 1            first line, the format and its version
//   style NAME                  a widget style, e.g. Fusion
//   font-pixels N               the application font's size in pixels
//   color ROLE #rrggbb          a palette colour for every colour group
//   disabled ROLE #rrggbb       a palette colour for disabled controls
//   [style sheet]               the rest of the file is the style sheet

#include <QByteArray>
#include <QPalette>
#include <QString>
#include <optional>

namespace mirelant::app {

struct Theme {
  QString style;
  int font_pixels = 0;  // 0: keep the platform's font size
  QPalette palette;
  QString style_sheet;
};

struct SkinAdjustment {
  int hue = 0;         // degrees, -180 to 180
  int saturation = 0;  // percent of full saturation, -100 to 100
};

// Hue clamped to -180..180 and saturation to -100..100.
SkinAdjustment ClampSkinAdjustment(int hue, int saturation);

// The theme in skin, or nothing when it is not in the format above.
std::optional<Theme> ParseTheme(const QByteArray& skin);

// Every colour of palette turned by the hue and moved by the saturation;
// greys stay grey.
QPalette ShiftPalette(const QPalette& palette, SkinAdjustment adjustment);

// The theme shipped inside the program.
QByteArray BuiltInSkin();

// Applies skin to the whole application with hue and saturation clamped as
// ClampSkinAdjustment does. False, and the platform's look left alone, when
// skin is not a theme.
bool AttachBuiltInSkin(const QByteArray& skin, int hue = 0, int saturation = 0);

}  // namespace mirelant::app
