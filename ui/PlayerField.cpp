// The players' list of the field joueur, and the field's place beside its caption.
#include "PlayerField.h"

#include "GameController.h"
#include "Twips.h"
#include "WindowDesign.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringListModel>

#include <algorithm>

namespace {

// The most players the list under the field shows at once.
constexpr int kOfferedRows = 5;

// The role holding what a name shares with those that look like it.
constexpr int kLookalikeRole = Qt::UserRole;

// The players' names, each with what it shares with the names that look like it.
class LookalikeModel : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == kLookalikeRole)
            return lookalikeKey(QIdentityProxyModel::data(index, Qt::DisplayRole).toString());
        return QIdentityProxyModel::data(index, role);
    }
};

// Completes the typed name with the rest of a player's whose name begins as typed, case and
// accents set aside: «Zo» completes to «Zoé».
class PlayerCompleter : public QCompleter {
  public:
    PlayerCompleter(QAbstractItemModel* players, QObject* parent) : QCompleter(parent)
    {
        auto* model = new LookalikeModel(this);
        model->setSourceModel(players);
        setModel(model);
        setCompletionRole(kLookalikeRole);
        setCompletionMode(QCompleter::InlineCompletion);
    }

    QStringList splitPath(const QString& path) const override { return {lookalikeKey(path)}; }
    QString pathFromIndex(const QModelIndex& index) const override
    {
        return index.data(Qt::DisplayRole).toString();
    }
};

} // namespace

// The list completes whatever the case and the accents, and the field takes no longer a name than
// the game keeps.
PlayerField::PlayerField(GameController& game, QComboBox* field, QObject* parent)
    : QObject(parent), m_game(game), m_field(field), m_players(new QStringListModel(this))
{
    m_field->setEditable(true);
    m_field->setInsertPolicy(QComboBox::NoInsert);
    m_field->lineEdit()->setMaxLength(int(kMaxPlayerNameLength));
    m_field->setModel(m_players);
    m_field->setCompleter(new PlayerCompleter(m_players, m_field));
    place();
    // Under the field, a list that takes neither the keyboard nor the next click, so that a click
    // on «Générer» plays the turn as typed.
    m_offers = new QListWidget(m_field);
    m_offers->setObjectName(QStringLiteral("joueur_offres"));
    m_offers->setWindowFlags(Qt::ToolTip);
    m_offers->setFocusPolicy(Qt::NoFocus);
    connect(m_offers, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_field->setEditText(item->text());
        m_offers->hide();
    });

    connect(m_field, &QComboBox::editTextChanged, this, [this](const QString& typed) {
        if (!m_showing)
            m_game.playerEdited(typed);
        offerLookalikes();
    });
    connect(&m_game, &GameController::playerChanged, this, &PlayerField::showPlayer);
    connect(&m_game, &GameController::playersChanged, this, [this] {
        if (m_listed)
            listPlayers();
    });
    // Another game's players are read when the master first comes to the field.
    connect(&m_game, &GameController::gameOpened, this, [this] {
        m_showing = true;
        m_players->setStringList({});
        m_showing = false;
        m_listed = false;
    });
    // The combo box keeps the focus while its line edit takes the typing and the clicks.
    m_field->installEventFilter(this);
    m_field->lineEdit()->installEventFilter(this);
}

// Captions grow to their text, so the field's caption clears the proposal's and the field clears
// its caption; the field ends at the pane's right edge, as tall as the style makes it, centred on
// its caption's row and above the pane.
void PlayerField::place()
{
    QWidget* client = m_field->parentWidget();
    const QLabel* caption = client->findChild<QLabel*>(QStringLiteral("Label2"));
    auto* label = client->findChild<QLabel*>(QStringLiteral("lbl_joueur"));
    const QRect pane = client->findChild<QWidget*>(QStringLiteral("propal"))->geometry();
    const int gap = twips::toPixels(design::kCaptionGapTwips);
    label->move(std::max(label->x(), caption->geometry().right() + 1 + gap), label->y());
    const int left = std::max(m_field->x(), label->geometry().right() + 1 + gap / 2);
    const int height = std::min(m_field->sizeHint().height(), pane.top() - 2);
    const int top =
        std::clamp(label->geometry().center().y() - height / 2, 0, pane.top() - 1 - height);
    m_field->setGeometry(left, top, pane.right() + 1 - left, height);
}

void PlayerField::showPlayer(const QString& player)
{
    if (m_field->currentText() == player)
        return;
    m_showing = true;
    m_field->setEditText(player);
    m_showing = false;
}

// Setting the list must not change what is typed.
void PlayerField::listPlayers()
{
    const QStringList players = m_game.players();
    m_listed = true;
    if (players == m_players->stringList())
        return;
    const QString typed = m_field->currentText();
    m_showing = true;
    m_players->setStringList(players);
    m_field->setCurrentIndex(-1);
    m_field->setEditText(typed);
    m_showing = false;
}

// A name typed that looks like a player's but is spelled otherwise («Zoe» when «Zoé» played)
// would be a new player: the players it looks like are offered first, under the field.
void PlayerField::offerLookalikes()
{
    const QStringList offers = m_field->hasFocus() || m_field->lineEdit()->hasFocus()
                                   ? lookalikes(m_field->currentText(), m_game.players())
                                   : QStringList();
    if (offers.isEmpty()) {
        m_offers->hide();
        return;
    }
    m_offers->clear();
    m_offers->addItems(offers);
    const int rows = int(std::min<qsizetype>(offers.size(), kOfferedRows));
    m_offers->resize(m_field->width(),
                     m_offers->sizeHintForRow(0) * rows + 2 * m_offers->frameWidth());
    m_offers->move(m_field->mapToGlobal(QPoint(0, m_field->height())));
    m_offers->show();
}

bool PlayerField::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        m_offers->hide();
    if (!m_listed &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        listPlayers();
    return QObject::eventFilter(watched, event);
}
