// The main window's controls, made from one table: what each is, its objectName, its caption
// and its place in twips.
#pragma once

#include "StoreNames.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class ProposalPane;
class ReferencePane;

// The controls the window keeps; the captions are made and left alone.
struct Controls {
    ReferencePane* ref = nullptr;
    QPlainTextEdit* soluce = nullptr;
    ProposalPane* propal = nullptr;
    QPlainTextEdit* lettres = nullptr;
    QLabel* foundCount = nullptr;      // lettres_trouvées
    QLabel* remainingCount = nullptr;  // lettres_restantes
    QLabel* referenceLength = nullptr; // lbl_longueur
    QPushButton* init = nullptr;
    QPushButton* record = nullptr;
    QPushButton* copier = nullptr;
    QPushButton* generer = nullptr;
    QPushButton* quit = nullptr;
    QPushButton* clearProposal = nullptr; // Command1
    QComboBox* joueur = nullptr;

    QWidget* pane(Pane pane) const;
};

// Makes every control of the table on the client area, in the table's order: the panes, the
// captions, the counts, the buttons, the field. A pane's objectName is its suffix, and the
// caption of a pane or of the field its accessible name. Captions grow to their text; the
// reference text's length ends its caption's row at the pane's right edge.
Controls buildControls(QWidget* client);
