// The file items of the menu: the choosers, the recent list and the leave question before
// another game.
#include "FileMenu.h"

#include "GameController.h"
#include "MenuItems.h"
#include "MessageSink.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

using menuitems::addItem;

namespace {

const QString kGameFilter = QStringLiteral("Parties Plimo (*.mdb)");
const QString kNoRecentGame = QStringLiteral("Aucune partie récente");

} // namespace

FileMenu::FileMenu(GameController& game, QMenu* file, QWidget* window, MessageSink& messages)
    : QObject(window), m_game(game), m_window(window), m_messages(messages)
{
    QAction* newGame = addItem(file, "mnu_nouvelle", QStringLiteral("Nouvelle partie…"),
                               QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* open = addItem(file, "mnu_ouvrir", QStringLiteral("Ouvrir une partie…"),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    m_recent = file->addMenu(QStringLiteral("Parties récentes"));
    m_recent->setObjectName(QStringLiteral("mnu_recentes"));
    m_recent->menuAction()->setObjectName(QStringLiteral("mnu_recentes"));
    m_recent->setToolTipsVisible(true);
    QAction* saveAs =
        addItem(file, "mnu_enregistrer_sous", QStringLiteral("Enregistrer la partie sous…"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addAction(menuitems::kFiller)->setObjectName(QStringLiteral("filler_parties"));
    connect(newGame, &QAction::triggered, this, &FileMenu::newGame);
    connect(open, &QAction::triggered, this, &FileMenu::openGame);
    connect(m_recent, &QMenu::aboutToShow, this, &FileMenu::listRecentGames);
    connect(saveAs, &QAction::triggered, this, &FileMenu::saveGameAs);
}

bool FileMenu::refused(const std::optional<Refusal>& refusal)
{
    if (refusal)
        m_messages.inform(refusal->text, refusal->icon);
    return refusal.has_value();
}

bool FileMenu::mayLeave()
{
    return m_game.leave(LeaveWay::OtherGame, m_messages.asker());
}

// Qt's own chooser, in French like the program's other dialogs, whatever the desktop.
QString FileMenu::chooseGameFile(const QString& title, bool saving)
{
    // A new file never goes by default into Plimo's own hidden data folder.
    const QString folder =
        saving ? m_game.newGameFolder() : QFileInfo(m_game.gamePath()).absolutePath();
    QFileDialog chooser(m_window, title, folder, kGameFilter);
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

void FileMenu::newGame()
{
    if (!mayLeave())
        return;
    const QString path = chooseGameFile(QStringLiteral("Nouvelle partie"), true);
    if (!path.isEmpty())
        refused(m_game.newGame(path));
}

void FileMenu::openGame()
{
    if (!mayLeave())
        return;
    const QString path = chooseGameFile(QStringLiteral("Ouvrir une partie"), false);
    if (!path.isEmpty())
        refused(m_game.openGame(path, m_messages.asker()));
}

void FileMenu::saveGameAs()
{
    const QString path = chooseGameFile(QStringLiteral("Enregistrer la partie sous"), true);
    if (!path.isEmpty())
        refused(m_game.saveGameAs(path));
}

// Rebuilt at each opening: the list follows every game opened, here or at start-up.
void FileMenu::listRecentGames()
{
    m_recent->clear();
    const QStringList games = m_game.recentGames();
    for (const QString& path : games) {
        // A name's "&" is a character, not the mark of a mnemonic.
        QString name = QFileInfo(path).fileName();
        QAction* item = m_recent->addAction(name.replace(u'&', QStringLiteral("&&")));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { openRecentGame(path); });
    }
    if (games.isEmpty())
        m_recent->addAction(kNoRecentGame)->setEnabled(false);
}

void FileMenu::openRecentGame(const QString& path)
{
    if (!refused(m_game.checkRecentGame(path)) && mayLeave())
        refused(m_game.openGame(path, m_messages.asker()));
}
