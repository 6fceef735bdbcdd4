// Construction of the main window and the wiring of its events to the game controller.
#include "Form1.h"

#include "GameController.h"

#include "AppearanceController.h"
#include "ButtonShortcuts.h"
#include "Choosers.h"

#include "ConflictDialog.h"
#include "HistoryWindow.h"
#include "LabelFit.h"
#include "MessageSink.h"
#include "PaneFormatting.h"
#include "PaneKeys.h"
#include "PaneText.h"
#include "PreviewWindow.h"
#include "ProposalPane.h"
#include "ReferencePane.h"
#include "StoredColour.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStringListModel>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QWindow>

#include <algorithm>
#include <variant>

namespace {

const QString kCaption = QStringLiteral("DORV - Plimo : Jeux de mots - Version ");
const QString kFiller = QStringLiteral("--------------------");
// The caption names the game file, but for the usual one.
const QString kUsualGameFile = QStringLiteral("plimo.mdb");
const QString kGameFilter = QStringLiteral("Parties Plimo (*.mdb)");
const QString kNoRecentGame = QStringLiteral("Aucune partie récente");
const QString kEarlierTurnsUnreadable =
    QStringLiteral("Les tours précédents n'ont pas pu être relus dans le fichier de la partie : "
                   "ils ne peuvent pas être annulés.");
constexpr int kPlacementTwips = 200;
constexpr int kOuterHeightTwips = 10530;

void setPlainIfChanged(QPlainTextEdit* pane, const QString& engineText)
{
    const QString text = panetext::toPane(engineText);
    if (panetext::exactText(pane->document()) != text)
        pane->setPlainText(text);
}

void setCaptionIfChanged(QLabel* label, const QString& caption)
{
    if (label->text() != caption)
        label->setText(caption);
}

} // namespace

Form1::Form1(GameController& game, QWidget* parent)
    : QMainWindow(parent), m_game(game), m_boxes(std::make_unique<MessageBoxSink>(this)),
      m_sink(m_boxes.get())
{
    registerFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption + m_game.version());
    setWindowIcon(QIcon(QStringLiteral(":/icons/plimo.png")));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips::toPixels(15540), twips::toPixels(9795));
    client->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    QPalette background = client->palette();
    background.setColor(QPalette::Window, colourFromStored(kSystemInactiveTitleBar, background));
    client->setPalette(background);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    buildControls(client);
    setUpPanes();
    setUpPlayerField();
    buildMenus();
    buildTabOrder();
    // "Initialiser" has none: it starts the puzzle again, and a slip of the fingers must not.
    installButtonShortcuts(
        this,
        {{m_generer,
          {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
          QStringLiteral("Ctrl+Entrée")},
         {m_copier, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, QStringLiteral("Ctrl+Maj+C")},
         {m_record, {QKeySequence(Qt::CTRL | Qt::Key_S)}, QStringLiteral("Ctrl+S")},
         {m_quit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}, QStringLiteral("Ctrl+Q"), false}});
    showGame();
}

Form1::~Form1() = default;

QDialog* Form1::conflictDialog() const
{
    return m_conflictDialog.get();
}

QDialog* Form1::historyWindow() const
{
    return m_historyWindow.get();
}

QDialog* Form1::previewWindow() const
{
    return m_previewWindow.get();
}

void Form1::setMessageSink(MessageSink* sink)
{
    m_sink = sink ? sink : m_boxes.get();
    if (m_appearance)
        m_appearance->setMessageSink(*m_sink);
}

void Form1::setChoosers(Choosers* choosers)
{
    if (m_appearance)
        m_appearance->setChoosers(choosers ? *choosers : *m_qtChoosers);
}

// One control of the window: its objectName and caption in UTF-8 (a pane's objectName is its
// suffix, and the caption of a pane or a field its accessible name), its place in twips, and
// what it is: a caption (nothing kept), the pane it shows, or the member keeping a count, a
// button, with the handler a click on the button calls, or a field.
struct Form1::Control {
    using KeptCount = QLabel* Form1::*;
    using KeptButton = QPushButton* Form1::*;
    using KeptField = QComboBox* Form1::*;

    const char* name;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
    std::variant<std::monostate, Pane, KeptCount, KeptButton, KeptField> kind = {};
    void (Form1::*clicked)() = nullptr;
};

// In the order they are made: the panes, the captions, the counts, the buttons, the field.
const std::vector<Form1::Control>& Form1::controls()
{
    static const std::vector<Control> rows = {
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
        {"lettres_trouvées", "0", 13680, 7750, 495, 375, &Form1::m_foundCount},
        {"lettres_restantes", "0", 13680, 8250, 495, 375, &Form1::m_remainingCount},
        {"init", "Initialiser", 480, 9240, 1575, 375, &Form1::m_init, &Form1::init_Click},
        {"record", "Enregistrer", 2760, 9240, 1575, 375, &Form1::m_record, &Form1::saveGame},
        {"bt_copier", "Copier", 6120, 9240, 1695, 375, &Form1::m_copier, &Form1::bt_copier_Click},
        {"Générer", "Générer", 11280, 9240, 1695, 375, &Form1::m_generer, &Form1::Generer_Click},
        {"quit", "Quitter", 13440, 9240, 1575, 375, &Form1::m_quit, &Form1::requestQuit},
        {"Command1", "Effacer texte ci-dessus", 11760, 7080, 3015, 375, &Form1::m_clearProposal,
         &Form1::Command1_Click},
        {"joueur", "Joueur", 13020, 195, 2355, 390, &Form1::m_joueur},
    };
    return rows;
}

void Form1::buildControls(QWidget* client)
{
    for (const Control& control : controls()) {
        const QString name = QString::fromUtf8(control.name);
        const QString caption = QString::fromUtf8(control.caption);
        const QRect geometry =
            twips::rect(control.left, control.top, control.width, control.height);
        if (const Pane* pane = std::get_if<Pane>(&control.kind)) {
            QWidget* widget = makePane(*pane, client);
            widget->setObjectName(paneSuffix(*pane));
            widget->setAccessibleName(caption);
            widget->setGeometry(geometry);
            m_panes[static_cast<std::size_t>(*pane)] = widget;
        } else if (const auto* kept = std::get_if<Control::KeptCount>(&control.kind)) {
            QLabel* count = addLabel(client, name, caption, geometry);
            count->setFont(QFont(QStringLiteral("MS Sans Serif"), 15));
            growToText(count);
            QPalette palette = count->palette();
            palette.setColor(QPalette::WindowText, colourFromStored(0x000000FF, palette));
            count->setPalette(palette);
            this->*(*kept) = count;
        } else if (const auto* kept = std::get_if<Control::KeptButton>(&control.kind)) {
            auto* button = new QPushButton(caption, client);
            button->setObjectName(name);
            button->setGeometry(geometry);
            connect(button, &QPushButton::clicked, this, control.clicked);
            this->*(*kept) = button;
        } else if (const auto* kept = std::get_if<Control::KeptField>(&control.kind)) {
            auto* field = new QComboBox(client);
            field->setObjectName(name);
            field->setAccessibleName(caption);
            field->setGeometry(geometry);
            this->*(*kept) = field;
        } else {
            addLabel(client, name, caption, geometry);
        }
    }
}

QWidget* Form1::makePane(Pane pane, QWidget* client)
{
    switch (pane) {
    case Pane::Ref:
        return m_ref = new ReferencePane(client);
    case Pane::Soluce:
        return m_soluce = new QPlainTextEdit(client);
    case Pane::Propal:
        return m_propal = new ProposalPane(client);
    case Pane::Lettres:
        break;
    }
    return m_lettres = new QPlainTextEdit(client);
}

void Form1::setUpPanes()
{
    m_soluce->setReadOnly(true);
    m_soluce->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_propal->setAcceptRichText(true);
    // Tab moves between the controls, as the tab order expects, rather than typing a tab.
    for (QPlainTextEdit* pane : {static_cast<QPlainTextEdit*>(m_ref), m_soluce, m_lettres}) {
        pane->setTabChangesFocus(true);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        keepAltLettersOut(pane);
    }
    keepAltLettersOut(m_propal);
    m_propal->setTabChangesFocus(true);
    // The proposal's own font is what a cleared pane falls back to.
    m_propal->setFont(paneFont(designLook(Pane::Propal)));
    for (Pane pane : kPanes)
        applyPaneStyle(pane, designLook(pane));

    forwardEdit(m_ref, &GameController::referenceEdited);
    forwardEdit(m_lettres, &GameController::remainingLettersEdited);
    connect(m_ref, &ReferencePane::focusLeft, this, &Form1::ref_LostFocus);
    connect(m_propal, &QTextEdit::textChanged, this, &Form1::propal_Change);
    connect(m_propal, &ProposalPane::focusLeft, this, &Form1::propal_LostFocus);
    connect(m_propal, &ProposalPane::pasteRequested, this, &Form1::propal_RightPaste);
    const auto refusePaste = [this] {
        m_sink->inform(paste::kTooLongMessage, MessageIcon::Warning);
    };
    connect(m_propal, &ProposalPane::pasteRefused, this, refusePaste);
    connect(m_ref, &ReferencePane::pasteRefused, this, refusePaste);
}

QLabel* Form1::addLabel(QWidget* client, const QString& name, const QString& caption,
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

// What the player's field does beyond its place: an editable list of the game's players that
// completes whatever the case and takes no longer a name than the game keeps. Captions grow to
// their text, so the field's label clears the proposal's caption and the field clears its label;
// the field ends at the pane's right edge, as tall as the style makes it, centred on its label's
// row and above the pane.
void Form1::setUpPlayerField()
{
    m_joueur->setEditable(true);
    m_joueur->setInsertPolicy(QComboBox::NoInsert);
    m_joueur->lineEdit()->setMaxLength(int(kMaxPlayerNameLength));
    m_playerList = new QStringListModel(this);
    m_joueur->setModel(m_playerList);
    m_joueur->completer()->setCaseSensitivity(Qt::CaseInsensitive);

    const QLabel* caption = findChild<QLabel*>(QStringLiteral("Label2"));
    auto* label = findChild<QLabel*>(QStringLiteral("lbl_joueur"));
    const int gap = twips::toPixels(120);
    label->move(std::max(label->x(), caption->geometry().right() + 1 + gap), label->y());
    const QRect pane = m_propal->geometry();
    const int left = std::max(m_joueur->x(), label->geometry().right() + 1 + gap / 2);
    const int height = std::min(m_joueur->sizeHint().height(), pane.top() - 2);
    const int top =
        std::clamp(label->geometry().center().y() - height / 2, 0, pane.top() - 1 - height);
    m_joueur->setGeometry(left, top, pane.right() + 1 - left, height);

    connect(m_joueur, &QComboBox::editTextChanged, this, &Form1::joueur_Change);
    // The combo box keeps the focus while its line edit takes the typing and the clicks.
    m_joueur->installEventFilter(this);
    m_joueur->lineEdit()->installEventFilter(this);
}

void Form1::buildMenus()
{
    auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("menu_Fichier"));
    QAction* newGame = addItem(file, "mnu_nouvelle", QStringLiteral("Nouvelle partie…"));
    newGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* open = addItem(file, "mnu_ouvrir", QStringLiteral("Ouvrir une partie…"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_recentMenu = file->addMenu(QStringLiteral("Parties récentes"));
    m_recentMenu->setObjectName(QStringLiteral("mnu_recentes"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("mnu_recentes"));
    m_recentMenu->setToolTipsVisible(true);
    QAction* saveAs =
        addItem(file, "mnu_enregistrer_sous", QStringLiteral("Enregistrer la partie sous…"));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addItem(file, "filler_parties", kFiller);
    connect(newGame, &QAction::triggered, this, &Form1::mnu_nouvelle_Click);
    connect(open, &QAction::triggered, this, &Form1::mnu_ouvrir_Click);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &Form1::listRecentGames);
    connect(saveAs, &QAction::triggered, this, &Form1::mnu_enregistrer_sous_Click);
    m_undo = addItem(file, "mnu_annuler_tour", QStringLiteral("Annuler le dernier tour"));
    // Ctrl+Z and Ctrl+Maj+Z stay the panes' own undo and redo of typing. Like the other turn
    // keys it works from every window of the program.
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    m_undo->setShortcutContext(Qt::ApplicationShortcut);
    QAction* history = addItem(file, "mnu_historique", QStringLiteral("Historique des tours"));
    m_rankingItem = addItem(file, "mnu_classement", QStringLiteral("Classement dans le message"));
    m_rankingItem->setCheckable(true);
    QAction* preview = addItem(file, "mnu_apercu", QStringLiteral("Aperçu du message"));
    connect(m_rankingItem, &QAction::triggered, this, &Form1::mnu_classement_Click);
    connect(preview, &QAction::triggered, this, &Form1::mnu_apercu_Click);
    addItem(file, "filler_tours", kFiller);
    connect(m_undo, &QAction::triggered, this, &Form1::mnu_annuler_tour_Click);
    connect(history, &QAction::triggered, this, &Form1::mnu_historique_Click);
    QAction* clear = addItem(file, "menu_delete", QStringLiteral("Effacer les données de la page"));
    addItem(file, "filler", kFiller);
    QAction* quit = addItem(file, "menu_quit", QStringLiteral("Quitter"));
    connect(clear, &QAction::triggered, this, &Form1::clearPage);
    connect(quit, &QAction::triggered, this, &Form1::requestQuit);

    QMenu* colours = menuBar()->addMenu(QStringLiteral("&Couleurs  et  Police"));
    colours->setObjectName(QStringLiteral("mnu_couleur"));
    // The items in the order of appearanceItems(), with a filler between their groups.
    const char* const fillers[] = {"filler2", "Filler4"};
    std::size_t filler = 0;
    const auto& items = appearanceItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (startsGroup(i))
            addItem(colours, fillers[filler++], kFiller);
        m_appearanceActions[i] =
            addItem(colours, items[i].objectName, QString::fromUtf8(items[i].caption));
    }

    QAction* version = menuBar()->addAction(QStringLiteral("&Version"));
    version->setObjectName(QStringLiteral("mnu_version"));
    connect(version, &QAction::triggered, this, &Form1::mnu_version_Click);

    auto* openFile = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openFile, &QShortcut::activated, this,
            [this, file] { menuBar()->setActiveAction(file->menuAction()); });
}

void Form1::buildTabOrder()
{
    QWidget* const order[] = {m_ref,  m_soluce,        m_lettres, m_record, m_generer, m_quit,
                              m_init, m_clearProposal, m_copier,  m_propal, m_joueur};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::applyPaneStyle(Pane pane, const PaneStyle& style)
{
    QWidget* widget = paneWidget(pane);
    const QPalette palette = widget->palette();
    applyBackground(widget, colourFromStored(style.background, palette));
    applyTextColour(widget, colourFromStored(style.text, palette));
    applyFont(widget, paneFont(style));
}

QWidget* Form1::paneWidget(Pane pane) const
{
    return m_panes[static_cast<std::size_t>(pane)];
}

GameSession Form1::currentGame() const
{
    GameSession shown;
    shown.ref = panetext::fromPane(panetext::exactText(m_ref->document()));
    shown.soluce = panetext::fromPane(panetext::exactText(m_soluce->document()));
    shown.propal = panetext::fromPane(panetext::exactText(m_propal->document()));
    shown.lettres = panetext::fromPane(panetext::exactText(m_lettres->document()));
    shown.lettres_restantes = m_remainingCount->text();
    shown.lettres_trouvees = m_foundCount->text();
    return shown;
}

// The master's typing reaches the game as it happens; what the window writes itself is
// already the game's.
void Form1::forwardEdit(QPlainTextEdit* pane, void (GameController::*edited)(const QString&))
{
    connect(pane, &QPlainTextEdit::textChanged, this, [this, pane, edited] {
        if (!m_showing)
            (m_game.*edited)(panetext::fromPane(panetext::exactText(pane->document())));
    });
}

// Only controls whose value differs are written, and the proposal only where it differs, so
// that its untouched characters keep their colours and fonts.
void Form1::showGame()
{
    const GameSession& game = m_game.session();
    m_showing = true;
    setPlainIfChanged(m_ref, game.ref);
    setPlainIfChanged(m_soluce, game.soluce);
    setPlainIfChanged(m_lettres, game.lettres);
    panetext::replaceKeepingFormat(m_propal, panetext::toPane(game.propal));
    setCaptionIfChanged(m_remainingCount, game.lettres_restantes);
    setCaptionIfChanged(m_foundCount, game.lettres_trouvees);
    if (m_joueur->currentText() != m_game.player())
        m_joueur->setEditText(m_game.player());
    m_showing = false;
    m_undo->setEnabled(m_game.canUndo());
    m_rankingItem->setChecked(m_game.rankingInPost());
    if (m_playersListed)
        listPlayers();
    if (m_historyWindow)
        showHistory();
    if (m_previewWindow)
        showPreview();
}

void Form1::init_Click()
{
    refused(m_game.initialise());
    showGame();
}

void Form1::Generer_Click()
{
    const EvaluationResult result = m_game.generate();
    if (refused(result.refusal))
        return;
    showGame();
    if (result.conflict)
        openConflictDialog(*result.conflict);
}

void Form1::bt_copier_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_game.forumPost());
}

void Form1::Command1_Click()
{
    m_game.clearProposal();
    showGame();
    m_propal->setFocus(Qt::OtherFocusReason);
}

void Form1::mnu_version_Click()
{
    m_sink->inform(QStringLiteral("Gestion des plimos.\rÉcrit par Tevim\rVersion ") +
                       m_game.version(),
                   MessageIcon::None);
}

// An undo that cannot read the earlier turns back changes nothing but the item, which the
// window then disables.
void Form1::mnu_annuler_tour_Click()
{
    const bool undone = m_game.undoLastTurn();
    showGame();
    if (!undone && m_game.earlierTurnsUnreadable())
        m_sink->inform(kEarlierTurnsUnreadable, MessageIcon::Warning);
}

// Reading the turns may read earlier ones back, which moves the first one at hand.
void Form1::showHistory()
{
    const QList<Turn>& turns = m_game.turns();
    m_historyWindow->showHistory(turns, m_game.firstTurnNumber(), m_game.ranking());
}

void Form1::mnu_historique_Click()
{
    if (!m_historyWindow) {
        m_historyWindow = std::make_unique<HistoryWindow>();
        connect(m_historyWindow.get(), &HistoryWindow::playerCorrected, this,
                &Form1::playerCorrected);
    }
    showHistory();
    if (!m_historyWindow->isVisible()) {
        const QRect screenArea = screen() ? screen()->availableGeometry() : QRect();
        const QRect frame = m_historyWindow->frameGeometry();
        const QRect beside = besideMainWindow(frameGeometry(), frame.size(), screenArea,
                                              HistoryWindow::kNarrowestWidth);
        m_historyWindow->resize(beside.size() - (frame.size() - m_historyWindow->size()));
        m_historyWindow->move(beside.topLeft());
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void Form1::joueur_Change(const QString& typed)
{
    if (!m_showing)
        m_game.playerEdited(typed);
}

// The list is read when the master first comes to the field, so that start-up does not read
// every turn; it then follows the game. Setting the list must not change what is typed.
void Form1::listPlayers()
{
    const QStringList players = m_game.players();
    m_playersListed = true;
    if (players == m_playerList->stringList())
        return;
    const QString typed = m_joueur->currentText();
    const bool showing = m_showing;
    m_showing = true;
    m_playerList->setStringList(players);
    m_joueur->setCurrentIndex(-1);
    m_joueur->setEditText(typed);
    m_showing = showing;
}

void Form1::playerCorrected(qsizetype number, const QString& typed)
{
    m_game.setTurnPlayer(number, typed);
    showGame();
}

void Form1::mnu_classement_Click(bool checked)
{
    const StoreStatus stored = m_game.setRankingInPost(checked);
    if (!stored)
        m_sink->inform(stored.message(), MessageIcon::Critical);
    showGame();
}

void Form1::showPreview()
{
    m_previewWindow->showPost(m_game.forumPost(), m_soluce->font().family());
}

void Form1::mnu_apercu_Click()
{
    if (!m_previewWindow)
        m_previewWindow = std::make_unique<PreviewWindow>();
    showPreview();
    m_previewWindow->show();
    m_previewWindow->raise();
    m_previewWindow->activateWindow();
}

void Form1::ref_LostFocus()
{
    m_game.referenceLeft();
    showGame();
}

void Form1::propal_Change()
{
    if (!m_showing)
        m_game.proposalEdited(panetext::fromPane(panetext::exactText(m_propal->document())));
}

void Form1::propal_LostFocus()
{
    m_game.proposalLeft();
    showGame();
}

void Form1::propal_RightPaste(const QString& clipboardText)
{
    // The game gets the text as the pane will show it, line separators included.
    m_game.pasteIntoEmptyProposal(
        panetext::fromPane(panetext::withPaneBreaks(panetext::toPane(clipboardText))));
    showGame();
}

void Form1::openConflictDialog(const Conflict& conflict)
{
    if (!m_conflictDialog) {
        m_conflictDialog = std::make_unique<ConflictDialog>();
        connect(m_conflictDialog.get(), &ConflictDialog::okPressed, this, &Form1::bt_non_Click);
    }
    m_conflictDialog->showConflict(conflict);
}

// Selects the conflict's proposal word in red. The proposal may have been edited since the
// check; the game keeps the selection inside it.
void Form1::bt_non_Click()
{
    const TextRange range = m_game.conflictSelection();
    const QString& engineText = m_game.session().propal;
    const qsizetype paneLength = panetext::exactText(m_propal->document()).size();
    QTextCursor cursor(m_propal->document());
    cursor.setPosition(panetext::panePosition(engineText, range.start, paneLength));
    cursor.setPosition(panetext::panePosition(engineText, range.end, paneLength),
                       QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    cursor.mergeCharFormat(red);
    m_propal->setTextCursor(cursor);
}

bool Form1::startUp(const QString& storePath)
{
    return showStartUp(m_game.startUp(storePath));
}

bool Form1::startUp(const QString& storePath, const StoreOptions& options)
{
    return showStartUp(m_game.startUp(storePath, options));
}

bool Form1::startUp(const StoreLocationInputs& inputs)
{
    return showStartUp(m_game.startUp(inputs));
}

bool Form1::showStartUp(const StoreStatus& opened)
{
    if (!opened) {
        m_sink->inform(opened.message(), MessageIcon::Critical);
        return false;
    }
    placeWindow();
    m_placeOnShow = true;
    showGameFile();
    m_qtChoosers = std::make_unique<QtChoosers>();
    AppearanceTargets targets;
    for (Pane pane : kPanes)
        targets.panes[pane] = paneWidget(pane);
    targets.actions = m_appearanceActions;
    m_appearance = new AppearanceController(*this, targets, m_game, *m_qtChoosers, *m_sink);
    return true;
}

// The open game in the panes, with its stored look, and its file's name in the caption.
void Form1::showGameFile()
{
    showGame();
    // With a game in progress the master's first paste is a proposal, never the hidden text.
    if (m_game.session().soluce.isEmpty())
        m_ref->setFocus(Qt::OtherFocusReason);
    else
        m_propal->setFocus(Qt::OtherFocusReason);
    const StoredAppearance stored = m_game.storedAppearance();
    for (Pane pane : kPanes)
        applyPaneStyle(pane, lookOver(designLook(pane), stored.lookFor(pane)));
    // The preview writes the post in the found text's font, which the look may have changed.
    if (m_previewWindow)
        showPreview();
    const QString name = QFileInfo(m_game.gamePath()).fileName();
    QString caption = kCaption + m_game.version();
    if (name != kUsualGameFile)
        caption += QStringLiteral(" — ") + name;
    setWindowTitle(caption);
}

bool Form1::refused(const std::optional<Refusal>& refusal)
{
    if (refusal)
        m_sink->inform(refusal->text, refusal->icon);
    return refusal.has_value();
}

bool Form1::mayLeaveGame()
{
    const QString question = m_game.leaveQuestion();
    if (question.isEmpty())
        return true;
    switch (m_sink->askOrCancel(question)) {
    case MessageSink::Answer::Yes:
        tidyFocusedPane();
        return !refused(m_game.save());
    case MessageSink::Answer::No:
        return true;
    case MessageSink::Answer::Cancel:
        break;
    }
    return false;
}

// Qt's own chooser, in French like the program's other dialogs, whatever the desktop.
QString Form1::chooseGameFile(const QString& title, bool saving)
{
    QFileDialog chooser(this, title, QFileInfo(m_game.gamePath()).absolutePath(), kGameFilter);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    if (saving) {
        chooser.setAcceptMode(QFileDialog::AcceptSave);
        chooser.setFileMode(QFileDialog::AnyFile);
        // The game refuses an existing name itself, and says so.
        chooser.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        chooser.setFileMode(QFileDialog::ExistingFile);
    }
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return QString();
    return chooser.selectedFiles().constFirst();
}

void Form1::mnu_nouvelle_Click()
{
    if (!mayLeaveGame())
        return;
    const QString path = chooseGameFile(QStringLiteral("Nouvelle partie"), true);
    if (!path.isEmpty() && !refused(m_game.newGame(path)))
        showOtherGame();
}

void Form1::mnu_ouvrir_Click()
{
    if (!mayLeaveGame())
        return;
    const QString path = chooseGameFile(QStringLiteral("Ouvrir une partie"), false);
    if (!path.isEmpty())
        openChosenGame(path);
}

// A save from the menu or its key writes the game as «Enregistrer» does, after the tidy-up of
// the pane being typed in that the button's focus move makes.
void Form1::tidyFocusedPane()
{
    if (focusWidget() == m_ref)
        ref_LostFocus();
    else if (focusWidget() == m_propal)
        propal_LostFocus();
}

void Form1::mnu_enregistrer_sous_Click()
{
    tidyFocusedPane();
    const QString path = chooseGameFile(QStringLiteral("Enregistrer la partie sous"), true);
    if (!path.isEmpty() && !refused(m_game.saveGameAs(path)))
        showOtherGame();
}

// Rebuilt at each opening: the list follows every game opened, here or at start-up.
void Form1::listRecentGames()
{
    m_recentMenu->clear();
    const QStringList games = m_game.recentGames();
    for (const QString& path : games) {
        // A name's "&" is a character, not the mark of a mnemonic.
        QString name = QFileInfo(path).fileName();
        QAction* item = m_recentMenu->addAction(name.replace(u'&', QStringLiteral("&&")));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { openRecentGame(path); });
    }
    if (games.isEmpty())
        m_recentMenu->addAction(kNoRecentGame)->setEnabled(false);
}

void Form1::openRecentGame(const QString& path)
{
    if (!refused(m_game.checkRecentGame(path)) && mayLeaveGame())
        openChosenGame(path);
}

void Form1::openChosenGame(const QString& path)
{
    if (!refused(m_game.openGame(path)))
        showOtherGame();
}

// The panes start afresh, without the old game's typing to undo or its formats; the players'
// list is read again when the master first comes to the field.
void Form1::showOtherGame()
{
    if (m_conflictDialog)
        m_conflictDialog->close();
    m_showing = true;
    for (QPlainTextEdit* pane : {static_cast<QPlainTextEdit*>(m_ref), m_soluce, m_lettres})
        pane->setPlainText(QString());
    m_propal->clear();
    m_playerList->setStringList({});
    m_showing = false;
    m_playersListed = false;
    showGameFile();
}

// The outer height counts the frame, which the platform may only know once the window is shown.
void Form1::placeWindow()
{
    const QRect screenArea = screen() ? screen()->geometry() : QRect();
    const int offset = twips::toPixels(kPlacementTwips);
    move(screenArea.topLeft() + QPoint(offset, offset));
    const int frameHeight = frameGeometry().height() - height();
    resize(width(), twips::toPixels(kOuterHeightTwips) - frameHeight);
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_placeOnShow) {
        m_placeOnShow = false;
        placeWindow();
        if (windowHandle() && windowHandle()->frameMargins().isNull()) {
            m_placeWhenFramed = true;
            windowHandle()->installEventFilter(this);
        }
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (m_placeWhenFramed && watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        m_placeWhenFramed = false;
        windowHandle()->removeEventFilter(this);
        placeWindow();
    }
    if (m_joueur && (watched == m_joueur || watched == m_joueur->lineEdit()) && !m_playersListed &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        listPlayers();
    return QMainWindow::eventFilter(watched, event);
}

// Closing through the frame asks before unsaved work goes, as "Quitter" does; without a
// reference text there is nothing to lose, so the window just closes.
void Form1::closeEvent(QCloseEvent* event)
{
    if (m_ending || mayClose()) {
        if (m_conflictDialog)
            m_conflictDialog->close();
        if (m_historyWindow)
            m_historyWindow->close();
        if (m_previewWindow)
            m_previewWindow->close();
        event->accept();
        return;
    }
    event->ignore();
}

bool Form1::mayClose()
{
    const QuitDecision decision = m_game.closeRequested();
    return decision.kind == QuitDecision::Kind::Quit || m_sink->ask(decision.text);
}

void Form1::saveGame()
{
    refused(m_game.save());
}

void Form1::clearPage()
{
    m_game.clearPage();
    showGame();
    m_ref->setFocus(Qt::OtherFocusReason);
}

void Form1::requestQuit()
{
    const QuitDecision decision = m_game.requestQuit();
    switch (decision.kind) {
    case QuitDecision::Kind::Refuse:
        m_sink->inform(decision.text, decision.icon);
        return;
    case QuitDecision::Kind::Ask:
        if (m_sink->ask(decision.text))
            endProgram();
        return;
    case QuitDecision::Kind::Quit:
        break;
    }
    endProgram();
}

// Ends the run at once: the window closes past its guard and the event loop stops.
void Form1::endProgram()
{
    m_ending = true;
    if (m_conflictDialog)
        m_conflictDialog->close();
    if (m_historyWindow)
        m_historyWindow->close();
    if (m_previewWindow)
        m_previewWindow->close();
    close();
    QCoreApplication::exit(0);
}
