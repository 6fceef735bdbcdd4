// The main window Form1: the panes, counts, buttons and menus, a view of the game controller.
#pragma once

#include "AppearanceItems.h"
#include "EngineTypes.h"
#include "GameSession.h"
#include "PaneStyle.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class ConflictDialog;
class GameController;
class StoreStatus;
struct StoreLocationInputs;
struct StoreOptions;
struct StoredAppearance;
class HistoryWindow;
class PreviewWindow;
class QComboBox;
class QStringListModel;
class QAction;
class QDialog;
class QMenu;
class AppearanceController;
class Choosers;
class MessageSink;
class ProposalPane;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ReferencePane;
struct Conflict;

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // The game belongs to the program and outlives the window, which only shows it.
    explicit Form1(GameController& game, QWidget* parent = nullptr);
    ~Form1() override;

    // Routes the window's message boxes; nullptr puts back the real boxes.
    void setMessageSink(MessageSink* sink);

    // The game as the panes and counts show it now, line breaks as CR LF.
    GameSession currentGame() const;

    // Applies a background colour, text colour and font to one pane.
    void applyPaneStyle(Pane pane, const PaneStyle& style);
    QWidget* paneWidget(Pane pane) const;

    // The start-up from the store on: the game opens it and loads the stored game, then the
    // window is placed and shows the game and the stored look over the design-time one. When
    // the store cannot be opened, shows its message in a critical box and returns false.
    bool startUp(const QString& storePath);
    bool startUp(const QString& storePath, const StoreOptions& options);
    // The same on the store the run's command line and folders pick.
    bool startUp(const StoreLocationInputs& inputs);
    // The conflict dialog form_message, once a conflict has opened it.
    QDialog* conflictDialog() const;
    // The history window form_historique, once it has been opened.
    QDialog* historyWindow() const;
    // The preview window form_apercu, once it has been opened.
    QDialog* previewWindow() const;
    // The choosers the appearance menu opens; nullptr puts back Qt's own.
    void setChoosers(Choosers* choosers);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Control;
    // The window's controls, one row each: what it is, its name, caption and place.
    static const std::vector<Control>& controls();
    void buildControls(QWidget* client);
    QWidget* makePane(Pane pane, QWidget* client);
    // What each pane does beyond its place: editing, tabbing, look and the game's handlers.
    void setUpPanes();
    void setUpPlayerField();
    void buildMenus();
    void buildTabOrder();
    QLabel* addLabel(QWidget* client, const QString& name, const QString& caption,
                     const QRect& geometry);

    // Shows the game's state; the panes' own change handling is not run for what it writes.
    void showGame();
    void forwardEdit(QPlainTextEdit* pane, void (GameController::*edited)(const QString&));

    void init_Click();
    void Generer_Click();
    void bt_copier_Click();
    void Command1_Click();
    void mnu_version_Click();
    void ref_LostFocus();
    void propal_Change();
    void propal_LostFocus();
    void propal_RightPaste(const QString& clipboardText);
    void bt_non_Click();
    void mnu_annuler_tour_Click();
    void mnu_historique_Click();
    void showHistory();
    void joueur_Change(const QString& typed);
    void listPlayers();
    void playerCorrected(qsizetype number, const QString& typed);
    void mnu_classement_Click(bool checked);
    void mnu_apercu_Click();
    void showPreview();
    void openConflictDialog(const Conflict& conflict);

    void mnu_nouvelle_Click();
    void mnu_ouvrir_Click();
    void mnu_enregistrer_sous_Click();
    void listRecentGames();
    void openRecentGame(const QString& path);
    // Whether the current game may be left, once the master has answered the question about
    // unsaved data; Oui saves first.
    bool mayLeaveGame();
    // The game file the master picks in Qt's own chooser, opened in the current game's folder,
    // or "" when cancelled. Saving never offers to replace a file.
    QString chooseGameFile(const QString& title, bool saving);
    // Opens the chosen game, or shows why it cannot be opened and keeps the current one.
    void openChosenGame(const QString& path);
    // The window on another game file, as start-up shows a game.
    void showOtherGame();
    void showGameFile();
    // Shows the refusal's box, if any; true when there was one.
    bool refused(const std::optional<Refusal>& refusal);
    void tidyFocusedPane();

    bool showStartUp(const StoreStatus& opened);
    void placeWindow();
    void saveGame();
    void clearPage();
    void requestQuit();
    bool mayClose();
    void endProgram();

    GameController& m_game;
    std::unique_ptr<MessageSink> m_boxes;
    std::unique_ptr<Choosers> m_qtChoosers;
    AppearanceController* m_appearance = nullptr;
    MessageSink* m_sink = nullptr;

    ReferencePane* m_ref = nullptr;
    QPlainTextEdit* m_soluce = nullptr;
    ProposalPane* m_propal = nullptr;
    QPlainTextEdit* m_lettres = nullptr;
    // The four panes in the order of kPanes.
    std::array<QWidget*, kPanes.size()> m_panes{};
    QLabel* m_foundCount = nullptr;
    QLabel* m_remainingCount = nullptr;
    QPushButton* m_init = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_copier = nullptr;
    QPushButton* m_generer = nullptr;
    QPushButton* m_quit = nullptr;
    QPushButton* m_clearProposal = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_rankingItem = nullptr;
    QMenu* m_recentMenu = nullptr;
    QComboBox* m_joueur = nullptr;
    // The game's players, read when the field is first used.
    QStringListModel* m_playerList = nullptr;
    bool m_playersListed = false;
    std::array<QAction*, kAppearanceItemCount> m_appearanceActions{};
    // Opened without an owner, so that it does not stay above the main window.
    std::unique_ptr<ConflictDialog> m_conflictDialog;
    std::unique_ptr<HistoryWindow> m_historyWindow;
    std::unique_ptr<PreviewWindow> m_previewWindow;

    // Set while the window writes the game into the panes.
    bool m_showing = false;
    // The window is placed again on its first showing, once the platform knows its frame.
    bool m_placeOnShow = false;
    // Set from the first showing until the window is first exposed, when the window manager has
    // framed it: on X11 only then is the frame known.
    bool m_placeWhenFramed = false;
    // Set when the program ends through a quit that has already passed its guard.
    bool m_ending = false;
};
