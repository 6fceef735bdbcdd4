// Layout of the conflict dialog and its OK button.
#include "ConflictDialog.h"

#include "GameController.h"
#include "LabelFit.h"
#include "Twips.h"
#include "WindowDesign.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace {

constexpr int kWidthTwips = 7560;
constexpr int kHeightTwips = 4425;

} // namespace

ConflictDialog::ConflictDialog(GameController& game, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("form_message"));
    setWindowTitle(QStringLiteral("Plimo"));
    setFixedSize(twips::toPixels(kWidthTwips), twips::toPixels(kHeightTwips));

    const QFont plain = design::captionFont();
    QFont bold = plain;
    bold.setBold(true);
    QFont buttonFont = bold;
    buttonFont.setPointSizeF(design::kDialogButtonPoints);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twips::rect(120, 120, 660, 660));
    image->setScaledContents(true);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(image->size() * 2));

    addLabel("Label1",
             QStringLiteral("Les zones Texte trouvé et Proposition sont de tailles différentes."),
             twips::rect(480, 1080, 6750, 300), plain);
    addLabel("label_soluce", QStringLiteral("Texte trouvé ="), twips::rect(600, 1560, 1500, 300),
             plain);
    addLabel("label_propal", QStringLiteral("Texte proposé = "), twips::rect(600, 2040, 1770, 300),
             plain);
    addLabel("label_position", QStringLiteral("Position du mot = "),
             twips::rect(600, 2520, 1890, 300), plain);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("bt_non"));
    m_ok->setGeometry(twips::rect(5880, 3720, 1095, 375));
    m_ok->setFont(buttonFont);

    addLabel("Label2",
             QStringLiteral("Merci de corriger le mot proposé et de resoumettre la vérification."),
             twips::rect(840, 3360, 4455, 735), bold, true);
    m_foundWord = addLabel("err_label_soluce", QString(), twips::rect(3120, 1560, 3495, 375), bold);
    m_proposalWord =
        addLabel("err_label_propal", QString(), twips::rect(3120, 2040, 3495, 375), bold);
    m_wordNumber =
        addLabel("err_label_position", QString(), twips::rect(3120, 2520, 3495, 375), bold);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::close);
    connect(&game, &GameController::conflictFound, this, &ConflictDialog::showConflict);
    // Hidden, not closed: the master did not answer it. A turn accepted since makes it stale.
    connect(&game, &GameController::gameOpened, this, &QDialog::hide);
    connect(&game, &GameController::turnPlayed, this, &QDialog::hide);
}

void ConflictDialog::done(int result)
{
    QDialog::done(result);
    Q_EMIT answered();
}

QLabel* ConflictDialog::addLabel(const char* name, const QString& text, const QRect& geometry,
                                 const QFont& font, bool wrap)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setWordWrap(wrap);
    growToText(label);
    return label;
}

void ConflictDialog::showConflict(const Conflict& conflict)
{
    m_foundWord->setText(conflict.foundWord);
    m_proposalWord->setText(conflict.proposalWord);
    m_wordNumber->setText(QString::number(conflict.wordNumber));
    // A second conflict may find the dialog behind the main window: it comes to the front.
    show();
    raise();
    activateWindow();
    // A window manager may map a window just shown after the request to activate it, and then
    // leave it behind the main window: the request is made again once the events are through.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
}
