#include "mirelant/app/skin.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QMetaEnum>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>

namespace mirelant::app {

namespace {

constexpr char kFormatLine[] = "mirelant-theme 1";
constexpr char kSheetMarker[] = "[style sheet]";

std::optional<QPalette::ColorRole> RoleByName(const QString& name) {
  const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
  bool ok = false;
  const int value = roles.keyToValue(name.toLatin1().constData(), &ok);
  if (!ok || value < 0 || value >= QPalette::NColorRoles) return std::nullopt;
  return static_cast<QPalette::ColorRole>(value);
}

// "#rrggbb"; an invalid colour otherwise.
QColor ColorByHex(const QString& text) {
  if (text.size() != 7 || !text.startsWith(QLatin1Char('#'))) return {};
  bool ok = false;
  const uint rgb = text.mid(1).toUInt(&ok, 16);
  return ok ? QColor(QRgb(rgb)) : QColor();
}

QColor ShiftColor(const QColor& color, SkinAdjustment adjustment) {
  const QColor hsv = color.toHsv();
  if (hsv.hsvHue() < 0) return color;  // achromatic: no hue to turn
  const int hue = ((hsv.hsvHue() + adjustment.hue) % 360 + 360) % 360;
  const int saturation =
      std::clamp(hsv.hsvSaturation() + adjustment.saturation * 255 / 100, 0, 255);
  return QColor::fromHsv(hue, saturation, hsv.value(), hsv.alpha());
}

}  // namespace

SkinAdjustment ClampSkinAdjustment(int hue, int saturation) {
  return {std::clamp(hue, -180, 180), std::clamp(saturation, -100, 100)};
}

std::optional<Theme> ParseTheme(const QByteArray& skin) {
  const QString text = QString::fromUtf8(skin);
  const QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.isEmpty() || lines.front().trimmed() != QLatin1String(kFormatLine)) return std::nullopt;

  Theme theme;
  QPalette palette;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QString line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    if (line == QLatin1String(kSheetMarker)) {
      theme.style_sheet = lines.mid(i + 1).join(QLatin1Char('\n'));
      break;
    }
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString& key = words.front();
    if (key == QLatin1String("style") && words.size() == 2) {
      theme.style = words[1];
    } else if (key == QLatin1String("font-pixels") && words.size() == 2) {
      bool ok = false;
      theme.font_pixels = words[1].toInt(&ok);
      if (!ok || theme.font_pixels < 0) return std::nullopt;
    } else if ((key == QLatin1String("color") || key == QLatin1String("disabled")) &&
               words.size() == 3) {
      const std::optional<QPalette::ColorRole> role = RoleByName(words[1]);
      const QColor color = ColorByHex(words[2]);
      if (!role || !color.isValid()) return std::nullopt;
      if (key == QLatin1String("color")) {
        palette.setColor(*role, color);
      } else {
        palette.setColor(QPalette::Disabled, *role, color);
      }
    } else {
      return std::nullopt;
    }
  }
  theme.palette = palette;
  return theme;
}

QPalette ShiftPalette(const QPalette& palette, SkinAdjustment adjustment) {
  if (adjustment.hue == 0 && adjustment.saturation == 0) return palette;
  QPalette shifted = palette;
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      shifted.setColor(g, r, ShiftColor(palette.color(g, r), adjustment));
    }
  }
  return shifted;
}

QByteArray BuiltInSkin() {
  QFile file(QStringLiteral(":/mirelant/theme.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

bool AttachBuiltInSkin(const QByteArray& skin, int hue, int saturation) {
  const std::optional<Theme> theme = ParseTheme(skin);
  if (!theme) return false;
  if (!theme->style.isEmpty()) {
    if (QStyle* style = QStyleFactory::create(theme->style)) QApplication::setStyle(style);
  }
  if (theme->font_pixels > 0) {
    QFont font = QApplication::font();
    font.setPixelSize(theme->font_pixels);
    QApplication::setFont(font);
  }
  QApplication::setPalette(ShiftPalette(theme->palette, ClampSkinAdjustment(hue, saturation)));
  qApp->setStyleSheet(theme->style_sheet);
  return true;
}

}  // namespace mirelant::app
