// The table of the main window's controls and the making of each.
#include "ControlsTable.h"

#include "LabelFit.h"
#include "ProposalPane.h"
#include "ReferencePane.h"
#include "StoredColour.h"
#include "Twips.h"
#include "WindowDesign.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <variant>

namespace {

using KeptCount = QLabel* Controls::*;
using KeptButton = QPushButton* Controls::*;
struct Field {};

// One control: its objectName and caption in UTF-8, its place in twips, and what it is: a
// caption (nothing kept), the pane it shows, a count, a button, or the field.
struct Control {
    const char* name;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
    std::variant<std::monostate, Pane, KeptCount, KeptButton, Field> kind = {};
};

const Control kControls[] = {
    {nullptr, "Texte de référence", 120, 720, 5000, 6255, Pane::Ref},
    {nullptr, "Texte trouvé", 5280, 720, 5000, 6255, Pane::Soluce},
    {nullptr, "Texte proposé", 10440, 720, 4935, 6255, Pane::Propal},
    {nullptr, "Lettres restantes", 120, 7560, 11055, 1575, Pane::Lettres},
    {"Label1", "Texte de référence  (600 car. maxi)", 120, 240, 3660, 300},
    {"Label3", "Texte trouvé", 5280, 240, 1305, 300},
    {"Label2", "Texte proposé", 10440, 240, 1515, 300},
    {"Label6", "Lettres restantes", 120, 7200, 1815, 300},
    {"Label5", "Lettres trouvées", 11520, 7800, 1725, 300},
    {"Label4", "Lettres restantes", 11520, 8280, 1815, 300},
    {"lbl_joueur", "Joueur :", 12120, 240, 840, 300},
    {"lettres_trouvées", "0", 13680, 7750, 495, 375, &Controls::foundCount},
    {"lettres_restantes", "0", 13680, 8250, 495, 375, &Controls::remainingCount},
    {"lbl_longueur", "0 / 600", 3900, 240, 1220, 300, &Controls::referenceLength},
    {"init", "Initialiser", 480, 9240, 1575, 375, &Controls::init},
    {"record", "Enregistrer", 2760, 9240, 1575, 375, &Controls::record},
    {"bt_copier", "Copier", 6120, 9240, 1695, 375, &Controls::copier},
    {"Générer", "Générer", 11280, 9240, 1695, 375, &Controls::generer},
    {"quit", "Quitter", 13440, 9240, 1575, 375, &Controls::quit},
    {"Command1", "Effacer texte ci-dessus", 11760, 7080, 3015, 375, &Controls::clearProposal},
    {"joueur", "Joueur", 13020, 195, 2355, 390, Field{}},
};

QLabel* addLabel(QWidget* client, const QString& name, const QString& caption,
                 const QRect& geometry)
{
    auto* label = new QLabel(caption, client);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    growToText(label);
    return label;
}

QWidget* makePane(Controls& controls, Pane pane, QWidget* client)
{
    switch (pane) {
    case Pane::Ref:
        return controls.ref = new ReferencePane(client);
    case Pane::Soluce:
        return controls.soluce = new QPlainTextEdit(client);
    case Pane::Propal:
        return controls.propal = new ProposalPane(client);
    case Pane::Lettres:
        break;
    }
    return controls.lettres = new QPlainTextEdit(client);
}

} // namespace

QWidget* Controls::pane(Pane pane) const
{
    switch (pane) {
    case Pane::Ref:
        return ref;
    case Pane::Soluce:
        return soluce;
    case Pane::Propal:
        return propal;
    case Pane::Lettres:
        break;
    }
    return lettres;
}

Controls buildControls(QWidget* client)
{
    Controls controls;
    for (const Control& control : kControls) {
        const QString name = QString::fromUtf8(control.name);
        const QString caption = QString::fromUtf8(control.caption);
        const QRect geometry =
            twips::rect(control.left, control.top, control.width, control.height);
        if (const Pane* pane = std::get_if<Pane>(&control.kind)) {
            QWidget* widget = makePane(controls, *pane, client);
            widget->setObjectName(paneSuffix(*pane));
            widget->setAccessibleName(caption);
            widget->setGeometry(geometry);
        } else if (const auto* kept = std::get_if<KeptCount>(&control.kind)) {
            QLabel* label = addLabel(client, name, caption, geometry);
            controls.*(*kept) = label;
            if (*kept == &Controls::referenceLength)
                continue;
            label->setFont(design::captionFont(design::kCountPoints));
            growToText(label);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, colourFromStored(design::kCountColour, palette));
            label->setPalette(palette);
        } else if (const auto* kept = std::get_if<KeptButton>(&control.kind)) {
            auto* button = new QPushButton(caption, client);
            button->setObjectName(name);
            button->setGeometry(geometry);
            controls.*(*kept) = button;
        } else if (std::holds_alternative<Field>(control.kind)) {
            controls.joueur = new QComboBox(client);
            controls.joueur->setObjectName(name);
            controls.joueur->setAccessibleName(caption);
            controls.joueur->setGeometry(geometry);
        } else {
            addLabel(client, name, caption, geometry);
        }
    }
    return controls;
}
