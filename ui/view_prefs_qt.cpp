// The preferences' colour and font values converted to and from QColor and QFont.
#include "ui/view_prefs_qt.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QStringList>
#include <algorithm>
#include <array>
#include <mutex>

namespace tracklore::ui {

namespace {

constexpr uint32_t kSystemColorFlag = 0x80000000u;

struct TSystemColor {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The Windows system colour indices and the palette entry that plays the same part on a
// Qt desktop.
constexpr std::array<TSystemColor, 31> kSystemColors{{
    /*  0 scroll bar           */ {QPalette::Active, QPalette::Mid},
    /*  1 desktop              */ {QPalette::Active, QPalette::Dark},
    /*  2 active caption       */ {QPalette::Active, QPalette::Highlight},
    /*  3 inactive caption     */ {QPalette::Inactive, QPalette::Mid},
    /*  4 menu                 */ {QPalette::Active, QPalette::Window},
    /*  5 window background    */ {QPalette::Active, QPalette::Base},
    /*  6 window frame         */ {QPalette::Active, QPalette::Shadow},
    /*  7 menu text            */ {QPalette::Active, QPalette::WindowText},
    /*  8 window text          */ {QPalette::Active, QPalette::Text},
    /*  9 caption text         */ {QPalette::Active, QPalette::HighlightedText},
    /* 10 active border        */ {QPalette::Active, QPalette::Window},
    /* 11 inactive border      */ {QPalette::Inactive, QPalette::Window},
    /* 12 application space    */ {QPalette::Active, QPalette::Dark},
    /* 13 highlight            */ {QPalette::Active, QPalette::Highlight},
    /* 14 highlighted text     */ {QPalette::Active, QPalette::HighlightedText},
    /* 15 button face          */ {QPalette::Active, QPalette::Button},
    /* 16 button shadow        */ {QPalette::Active, QPalette::Dark},
    /* 17 grey text            */ {QPalette::Disabled, QPalette::Text},
    /* 18 button text          */ {QPalette::Active, QPalette::ButtonText},
    /* 19 inactive caption txt */ {QPalette::Disabled, QPalette::WindowText},
    /* 20 button highlight     */ {QPalette::Active, QPalette::Light},
    /* 21 3-D dark shadow      */ {QPalette::Active, QPalette::Shadow},
    /* 22 3-D light            */ {QPalette::Active, QPalette::Midlight},
    /* 23 tool-tip text        */ {QPalette::Active, QPalette::ToolTipText},
    /* 24 tool-tip background  */ {QPalette::Active, QPalette::ToolTipBase},
    /* 25 (unused)             */ {QPalette::Active, QPalette::Window},
    /* 26 hot-tracked link     */ {QPalette::Active, QPalette::Link},
    /* 27 caption gradient     */ {QPalette::Active, QPalette::Highlight},
    /* 28 inactive gradient    */ {QPalette::Inactive, QPalette::Mid},
    /* 29 menu highlight       */ {QPalette::Active, QPalette::Highlight},
    /* 30 menu bar             */ {QPalette::Active, QPalette::Window},
}};

// Point sizes outside this range come only from a damaged store; they are clamped so a
// stray value cannot make the views unusable.
constexpr int kMinPointSize = 1;
constexpr int kMaxPointSize = 500;

// The default face of the views is a Windows bitmap font that Linux desktops lack. Without
// a substitute, font matching may land on any face (often a serif one), so the Windows UI
// faces are mapped to the desktop's own sans-serif faces.
void RegisterWindowsFaceSubstitutes() {
    static std::once_flag once;
    std::call_once(once, [] {
        QStringList substitutes;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
            substitutes << QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        substitutes << "DejaVu Sans"
                    << "Liberation Sans"
                    << "Noto Sans"
                    << "FreeSans"
                    << "Sans Serif";
        substitutes.removeDuplicates();
        for (const char* face :
             {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2"})
            QFont::insertSubstitutions(face, substitutes);
    });
}

}  // namespace

QColor ToQColor(int32_t color) {
    const auto value = static_cast<uint32_t>(color);
    if ((value & 0xFF000000u) == kSystemColorFlag) {
        const uint32_t index = value & 0x00FFFFFFu;
        const TSystemColor entry = index < kSystemColors.size()
                                       ? kSystemColors[index]
                                       : TSystemColor{QPalette::Active, QPalette::Window};
        return QGuiApplication::palette().color(entry.Group, entry.Role);
    }
    // Any other high byte (palette-relative colours of old stores) keeps its RGB part.
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

int32_t FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                                (static_cast<uint32_t>(rgb.green()) << 8) |
                                (static_cast<uint32_t>(rgb.blue()) << 16));
}

QFont ToQFont(const TFontDesc& font) {
    RegisterWindowsFaceSubstitutes();
    QFont result;
    if (!font.Name.empty()) result.setFamilies({QString::fromStdString(font.Name)});
    result.setStyleHint(QFont::SansSerif);
    result.setPointSize(std::clamp(font.Size, kMinPointSize, kMaxPointSize));
    result.setBold((font.Style & kFontBold) != 0);
    result.setItalic((font.Style & kFontItalic) != 0);
    result.setUnderline((font.Style & kFontUnderline) != 0);
    result.setStrikeOut((font.Style & kFontStrikeOut) != 0);
    return result;
}

TFontDesc FromQFont(const QFont& font, const QColor& color) {
    TFontDesc desc;
    const QStringList families = font.families();
    desc.Name = (families.isEmpty() ? font.family() : families.first()).toStdString();
    desc.Size = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    desc.Color = FromQColor(color);
    desc.Style = static_cast<uint8_t>(
        (font.bold() ? kFontBold : 0) | (font.italic() ? kFontItalic : 0) |
        (font.underline() ? kFontUnderline : 0) | (font.strikeOut() ? kFontStrikeOut : 0));
    return desc;
}

}  // namespace tracklore::ui
