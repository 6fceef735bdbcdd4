// The colour and font choosers, behind an interface the tests replace.
#pragma once

#include <QColor>
#include <QFont>

#include <optional>

class QWidget;

class Choosers {
  public:
    virtual ~Choosers() = default;
    // Modal; nullopt when the user cancels. The font chooser opens on what the initial font
    // really shows, so its result may name the substitute of a missing initial family.
    virtual std::optional<QColor> chooseColour(const QColor& initial, QWidget* parent) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent) = 0;
};

// Qt's own QColorDialog and QFontDialog, so every desktop shows the same chooser.
class QtChoosers : public Choosers {
  public:
    std::optional<QColor> chooseColour(const QColor& initial, QWidget* parent) override;
    std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent) override;
};
