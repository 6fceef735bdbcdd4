// The main window: its client area and menus, the views that bind them to the game, and the
// buttons, keys and menu items sent to the game.
#include "Form1.h"

#include "AppearanceController.h"
#include "ButtonShortcuts.h"
#include "Choosers.h"
#include "ConflictDialog.h"
#include "FileMenu.h"
#include "ForumMenu.h"
#include "GameController.h"
#include "HistoryWindow.h"
#include "LabelFit.h"
#include "MenuItems.h"
#include "MessageSink.h"
#include "PanesView.h"
#include "PlayerField.h"
#include "PreviewWindow.h"
#include "ProposalPane.h"
#include "ReferencePane.h"
#include "RulesMenu.h"
#include "StoreNames.h"
#include "StoredColour.h"
#include "Twips.h"
#include "WindowDesign.h"
#include "WindowPlacement.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>

using menuitems::addItem;
using menuitems::kFiller;

namespace {

const QString kCaption = QStringLiteral("DORV - Plimo : Jeux de mots - Version ");
const QString kEarlierTurnsUnreadable =
    QStringLiteral("Les tours précédents n'ont pas pu être relus dans le fichier de la partie : "
                   "ils ne peuvent pas être annulés.");

// The post on the clipboard as plain text and as HTML, each handed out as it is asked for: as
// plain text, Firefox's rich-text editors run the lines that end in a lone CR into one, and they
// take the HTML.
class PostData : public QMimeData {
  public:
    explicit PostData(const ForumPost& post) : m_text(post.text), m_html(post.html) {}
    QStringList formats() const override
    {
        return {QStringLiteral("text/plain"), QStringLiteral("text/html")};
    }

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override
    {
        if (mimeType == u"text/plain")
            return m_text;
        if (mimeType == u"text/html")
            return m_html;
        return {};
    }

  private:
    QString m_text;
    QString m_html;
};

} // namespace

Form1::Form1(GameController& game, MessageSink* messages, Choosers* choosers, QWidget* parent)
    : QMainWindow(parent), m_game(game), m_boxes(std::make_unique<MessageBoxSink>(this)),
      m_qtChoosers(std::make_unique<QtChoosers>()), m_messages(messages ? *messages : *m_boxes)
{
    registerFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption + m_game.version() + QStringLiteral("[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/plimo.png")));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips::toPixels(design::kClientWidthTwips),
                         twips::toPixels(design::kClientHeightTwips));
    client->setFont(design::captionFont());
    QPalette background = client->palette();
    background.setColor(QPalette::Window, colourFromStored(kSystemInactiveTitleBar, background));
    client->setPalette(background);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    m_controls = buildControls(client);
    m_panes = new PanesView(m_game, m_controls, m_messages, this);
    new PlayerField(m_game, m_controls.joueur, this);
    // Made at the first conflict, which it then shows; it follows the later ones itself.
    connect(&m_game, &GameController::conflictFound, this, [this](const Conflict& conflict) {
        if (m_conflictDialog)
            return;
        m_conflictDialog = std::make_unique<ConflictDialog>(m_game);
        keepAbove(m_conflictDialog.get(), this);
        // However the box is answered (OK, Escape, its frame), typing replaces the word.
        connect(m_conflictDialog.get(), &ConflictDialog::answered, this, [this] {
            m_panes->selectConflict();
            raise();
            activateWindow();
            m_controls.propal->setFocus(Qt::OtherFocusReason);
        });
        m_conflictDialog->showConflict(conflict);
    });
    m_placement = new MainWindowPlacement(this);
    buildMenus();
    buildTabOrder();
    installShortcuts();

    AppearanceTargets targets;
    for (Pane pane : kPanes)
        targets.panes[pane] = m_controls.pane(pane);
    targets.actions = m_appearanceActions;
    m_appearance = new AppearanceController(*this, targets, m_game,
                                            choosers ? *choosers : *m_qtChoosers, m_messages);

    const std::pair<QPushButton*, void (Form1::*)()> clicks[] = {
        {m_controls.init, &Form1::init_Click},
        {m_controls.record, &Form1::saveGame},
        {m_controls.copier, &Form1::bt_copier_Click},
        {m_controls.generer, &Form1::Generer_Click},
        {m_controls.quit, &Form1::requestQuit},
        {m_controls.clearProposal, &Form1::Command1_Click},
    };
    for (const auto& [button, clicked] : clicks)
        connect(button, &QPushButton::clicked, this, clicked);
    connect(&m_game, &GameController::gameOpened, this, &Form1::captionTheFile);
    connect(&m_game, &GameController::modifiedChanged, this, &Form1::setWindowModified);
    connect(&m_game, &GameController::undoAvailableChanged, m_undo, &QAction::setEnabled);
    connect(&m_game, &GameController::rankingInPostChanged, m_rankingItem, &QAction::setChecked);
    connect(&m_game, &GameController::recoveryFailed, this,
            [this](const Refusal& warning) { refused(warning); });
    m_undo->setEnabled(m_game.canUndo());
    setWindowModified(m_game.isModified());
}

Form1::~Form1() = default;

void Form1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("menu_Fichier"));
    new FileMenu(m_game, file, this, m_messages);
    buildGameItems(file);

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

// The items of the menu «Fichier» below the other games: the turns, the page and quitting.
void Form1::buildGameItems(QMenu* file)
{
    m_undo = addItem(file, "mnu_annuler_tour", QStringLiteral("Annuler le dernier tour"));
    // Ctrl+Z and Ctrl+Maj+Z stay the panes' own undo and redo of typing. Like the other turn
    // keys it works from every window of the program.
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    m_undo->setShortcutContext(Qt::ApplicationShortcut);
    QAction* history = addItem(file, "mnu_historique", QStringLiteral("Historique des tours"));
    m_rankingItem = addItem(file, "mnu_classement", QStringLiteral("Classement dans le message"));
    m_rankingItem->setCheckable(true);
    QAction* preview = addItem(file, "mnu_apercu", QStringLiteral("Aperçu du message"));
    new ForumMenu(m_game, file, m_messages);
    new RulesMenu(m_game, file, m_messages);
    addItem(file, "filler_tours", kFiller);
    QAction* clear = addItem(file, "menu_delete", QStringLiteral("Effacer les données de la page"));
    addItem(file, "filler", kFiller);
    QAction* quit = addItem(file, "menu_quit", QStringLiteral("Quitter"));
    connect(m_undo, &QAction::triggered, this, &Form1::mnu_annuler_tour_Click);
    connect(history, &QAction::triggered, this, &Form1::mnu_historique_Click);
    connect(m_rankingItem, &QAction::triggered, this, &Form1::mnu_classement_Click);
    connect(preview, &QAction::triggered, this, &Form1::mnu_apercu_Click);
    connect(clear, &QAction::triggered, this, &Form1::clearPage);
    connect(quit, &QAction::triggered, this, &Form1::requestQuit);
}

void Form1::buildTabOrder()
{
    const Controls& c = m_controls;
    QWidget* const order[] = {c.ref,  c.soluce,        c.lettres, c.record, c.generer, c.quit,
                              c.init, c.clearProposal, c.copier,  c.propal, c.joueur};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// "Initialiser" has none: it starts the puzzle again, and a slip of the fingers must not.
void Form1::installShortcuts()
{
    installButtonShortcuts(
        this,
        {{m_controls.generer,
          {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
          QStringLiteral("Ctrl+Entrée")},
         {m_controls.copier,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
          QStringLiteral("Ctrl+Maj+C")},
         {m_controls.record, {QKeySequence(Qt::CTRL | Qt::Key_S)}, QStringLiteral("Ctrl+S")},
         {m_controls.quit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}, QStringLiteral("Ctrl+Q")}});
}

// A game its program left unsaved is offered back before the window shows.
bool Form1::startUp(const StoreLocationInputs& inputs)
{
    return started(m_game.startUp(inputs, m_messages.asker()));
}

bool Form1::started(const std::optional<Refusal>& refused)
{
    if (refused) {
        m_messages.inform(refused->text, refused->icon);
        return false;
    }
    m_placement->place();
    return true;
}

// The caption names the game file, but for the usual one.
void Form1::captionTheFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QString caption = kCaption + m_game.version();
    if (name != usualGameFileName())
        caption += QStringLiteral(" — ") + name;
    // Qt draws the placeholder as the desktop marks an unsaved document.
    setWindowTitle(caption + QStringLiteral("[*]"));
}

void Form1::refused(const std::optional<Refusal>& refusal)
{
    if (refusal)
        m_messages.inform(refusal->text, refusal->icon);
}

void Form1::init_Click()
{
    refused(m_game.initialise());
}

void Form1::Generer_Click()
{
    refused(
        m_game.generate(m_messages.asker())
            .refusal);
}

void Form1::bt_copier_Click()
{
    if (const std::optional<Refusal> refusal = m_game.refusePost()) {
        refused(refusal);
        return;
    }
    auto* data = new PostData(m_game.forumPost());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data);
}

void Form1::Command1_Click()
{
    m_game.clearProposal();
    m_controls.propal->setFocus(Qt::OtherFocusReason);
}

void Form1::saveGame()
{
    refused(m_game.save());
}

void Form1::clearPage()
{
    m_game.clearPage();
    m_controls.ref->setFocus(Qt::OtherFocusReason);
}

void Form1::mnu_version_Click()
{
    m_messages.inform(QStringLiteral("Gestion des plimos.\rÉcrit par Tevim\rVersion ") +
                          m_game.version(),
                      MessageIcon::None);
}

// An undo that cannot read the earlier turns back changes nothing but the item, which the game
// then disables.
void Form1::mnu_annuler_tour_Click()
{
    if (!m_game.undoLastTurn() && m_game.earlierTurnsUnreadable())
        m_messages.inform(kEarlierTurnsUnreadable, MessageIcon::Warning);
}

void Form1::mnu_historique_Click()
{
    if (!m_historyWindow)
        m_historyWindow = std::make_unique<HistoryWindow>(m_game);
    placeBeside(m_historyWindow.get(), this, controlsArea(), HistoryWindow::kNarrowestWidth,
                m_historyWindow->lowestHeight(), {m_previewWindow.get()});
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void Form1::mnu_classement_Click(bool checked)
{
    refused(m_game.setRankingInPost(checked));
    // A refused change leaves the item as the game has it.
    m_rankingItem->setChecked(m_game.rankingInPost());
}

void Form1::mnu_apercu_Click()
{
    if (!m_previewWindow)
        m_previewWindow = std::make_unique<PreviewWindow>(m_game, m_controls.soluce);
    placeBeside(m_previewWindow.get(), this, controlsArea(), PreviewWindow::kNarrowestWidth,
                PreviewWindow::kLowestHeight, {m_historyWindow.get()});
    m_previewWindow->show();
    m_previewWindow->raise();
    m_previewWindow->activateWindow();
}

// The buttons and counts below the panes, which no other window of the program may cover.
QRect Form1::controlsArea() const
{
    const Controls& c = m_controls;
    QRect area;
    const QWidget* const controls[] = {c.clearProposal, c.foundCount, c.remainingCount, c.init,
                                       c.record,        c.copier,     c.generer,        c.quit};
    for (const QWidget* control : controls)
        area |= QRect(control->mapToGlobal(QPoint(0, 0)), control->size());
    return area;
}

void Form1::requestQuit()
{
    if (m_game.leave(LeaveWay::Quit, m_messages.asker()))
        endProgram();
}

// Closing through the frame asks before unsaved work goes, as "Quitter" does; without a
// reference text there is nothing to lose, so the window just closes.
void Form1::closeEvent(QCloseEvent* event)
{
    if (m_ending || m_game.leave(LeaveWay::Close, m_messages.asker())) {
        closeOtherWindows();
        event->accept();
        return;
    }
    event->ignore();
}

void Form1::endProgram()
{
    m_ending = true;
    closeOtherWindows();
    close();
    QCoreApplication::exit(0);
}

void Form1::closeOtherWindows()
{
    if (m_conflictDialog)
        m_conflictDialog->hide();
    if (m_historyWindow)
        m_historyWindow->close();
    if (m_previewWindow)
        m_previewWindow->close();
}
