// Pastes too long ever to be a proposal or a reference are refused, whichever way they come
// into either pane (Ctrl+V, Maj+Inser, the right click on an empty proposal, a drop): a warning
// box says so and the pane and the game stay as they were. The bound counts UTF-16 units of the
// plain text, and a paste at the bound goes in. What a pane takes loses its control characters,
// tabs and line breaks kept.
#include "UiFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString kTooLong = QStringLiteral(
    "Le texte collé est trop long (plus de 100 000 caractères) : il n'a pas été collé.");
constexpr qsizetype kBound = 100000;

enum class Route { CtrlV, ShiftInsert, RightClick, Drop };
enum class Target { Proposal, Reference };

// Words and spaces, as a copied page holds them.
QString pasteText(qsizetype units, bool endsWithPair = false)
{
    const QString words = QStringLiteral("le chat dort ");
    QString text = words.repeated(units / words.size() + 1);
    text.truncate(units - (endsWithPair ? 2 : 0));
    if (endsWithPair)
        text += QString::fromUcs4(U"\U0001F600");
    return text;
}

// Every control character a paste drops, between a tab and a line break that it keeps.
const QString kWithControls = QStringLiteral("A\u0001B\tC\nD\u007F\u001FE\u000B\u000C\u0008F");
const QString kControlsDropped = QStringLiteral("AB\tC\nDEF");

struct PasteCase {
    const char* name;
    Target target;
    Route route;
    qsizetype units; // 0: the text with control characters
    // Ends with a surrogate pair: two units, one character.
    bool endsWithPair;
};

void PrintTo(const PasteCase& c, std::ostream* out)
{
    *out << c.name;
}

const PasteCase kCases[] = {
    {"CtrlVAtTheBound", Target::Proposal, Route::CtrlV, kBound, false},
    {"CtrlVOneOver", Target::Proposal, Route::CtrlV, kBound + 1, false},
    {"ShiftInsertAtTheBound", Target::Proposal, Route::ShiftInsert, kBound, false},
    {"ShiftInsertOneOver", Target::Proposal, Route::ShiftInsert, kBound + 1, false},
    {"RightClickAtTheBound", Target::Proposal, Route::RightClick, kBound, false},
    {"RightClickOneOver", Target::Proposal, Route::RightClick, kBound + 1, false},
    {"DropAtTheBound", Target::Proposal, Route::Drop, kBound, false},
    {"DropOneOver", Target::Proposal, Route::Drop, kBound + 1, false},
    {"PairOverTheBoundByOneUnit", Target::Proposal, Route::CtrlV, kBound + 1, true},
    {"PairAtTheBound", Target::Proposal, Route::RightClick, kBound, true},
    {"ReferenceCtrlVAtTheBound", Target::Reference, Route::CtrlV, kBound, false},
    {"ReferenceCtrlVOneOver", Target::Reference, Route::CtrlV, kBound + 1, false},
    {"ReferenceShiftInsertOneOver", Target::Reference, Route::ShiftInsert, kBound + 1, false},
    {"ReferenceDropOneOver", Target::Reference, Route::Drop, kBound + 1, false},
    {"ControlsCtrlV", Target::Proposal, Route::CtrlV, 0, false},
    {"ControlsRightClick", Target::Proposal, Route::RightClick, 0, false},
    {"ReferenceControlsDrop", Target::Reference, Route::Drop, 0, false},
};

// A drag entering the pane and dropped on it, as the platform delivers one from another program.
void dropOn(QWidget* target, QMimeData* data)
{
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

class PasteLimitTest : public UiFixture, public ::testing::WithParamInterface<PasteCase> {
  protected:
    bool inProposal() const { return GetParam().target == Target::Proposal; }
    QAbstractScrollArea* pane() const
    {
        return inProposal() ? static_cast<QAbstractScrollArea*>(propal()) : ref();
    }
    QString paneText() const
    {
        return inProposal() ? propal()->toPlainText() : ref()->toPlainText();
    }

    void paste(Route route, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        switch (route) {
        case Route::CtrlV:
            QTest::keyClick(pane(), Qt::Key_V, Qt::ControlModifier);
            break;
        case Route::ShiftInsert:
            QTest::keyClick(pane(), Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Route::RightClick:
            QTest::mousePress(pane()->viewport(), Qt::RightButton);
            QTest::mouseRelease(pane()->viewport(), Qt::RightButton);
            break;
        case Route::Drop: {
            QMimeData data;
            data.setText(text);
            dropOn(pane()->viewport(), &data);
            QApplication::processEvents();
            break;
        }
        }
    }
};

} // namespace

TEST_P(PasteLimitTest, TooLongIsRefusedWithAWarningAndControlsAreDropped)
{
    const PasteCase& c = GetParam();
    click(pane());
    const GameSession before = m_game->session();
    const QString text = c.units ? pasteText(c.units, c.endsWithPair) : kWithControls;
    paste(c.route, text);

    if (c.units > kBound) {
        ASSERT_EQ(m_sink.shown.size(), 1u);
        EXPECT_EQ(m_sink.shown[0].text, kTooLong);
        EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(paneText().isEmpty());
        EXPECT_EQ(m_game->session(), before);
    } else {
        EXPECT_TRUE(m_sink.shown.empty());
        EXPECT_EQ(paneText(), c.units ? text : kControlsDropped);
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
}

INSTANTIATE_TEST_SUITE_P(Routes, PasteLimitTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

using PasteLimitWindowTest = UiFixture;

TEST_F(PasteLimitWindowTest, ARefusedPasteKeepsTheSelectionItWouldHaveReplaced)
{
    typeInto(propal(), QStringLiteral("LE CHAT"));
    QTest::keyClick(propal(), Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(pasteText(kBound + 1));
    QTest::keyClick(propal(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LE CHAT"));
    EXPECT_EQ(propal()->textCursor().selectedText(), QStringLiteral("LE CHAT"));
    EXPECT_TRUE(propal()->hasFocus());
}

// Markup without a plain-text form is measured by the text it shows, not by its source.
TEST_F(PasteLimitWindowTest, HtmlIsMeasuredByTheTextItShows)
{
    const QString cell = QStringLiteral("<span style=\"color:#123456\">le chat </span>");
    const struct {
        const char* name;
        QString html;
        bool refused;
    } cases[] = {
        {"heavy markup, little text", cell.repeated(5000), false},
        {"text over the bound",
         QStringLiteral("<p>") + pasteText(kBound + 1) + QStringLiteral("</p>"), true},
    };
    ASSERT_GT(cases[0].html.size(), kBound);
    for (const auto& c : cases) {
        propal()->clear();
        m_sink.shown.clear();
        auto* data = new QMimeData;
        data->setHtml(c.html);
        QGuiApplication::clipboard()->setMimeData(data);
        QTest::keyClick(propal(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(m_sink.shown.size(), c.refused ? 1u : 0u) << c.name;
        EXPECT_EQ(propal()->toPlainText().isEmpty(), c.refused) << c.name;
    }
}

// The refusal is Qt's own warning box with a single OK, answered through that button.
TEST_F(PasteLimitWindowTest, TheRealRefusalIsAWarningBoxWithOk)
{
    ASSERT_TRUE(startWindow(nullptr, &m_choosers));
    click(propal());
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString text;
    onModal<QMessageBox>([&](QMessageBox* box) {
        icon = box->icon();
        buttons = box->standardButtons();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QGuiApplication::clipboard()->setText(pasteText(kBound + 1));
    QTest::keyClick(propal(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text, kTooLong);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_TRUE(propal()->document()->isEmpty());
}

// Inside the drop the program the text came from still waits for its end: the box comes after.
TEST_F(PasteLimitWindowTest, ARefusedDropIsAnsweredOnceTheDropIsOver)
{
    QMimeData data;
    data.setText(pasteText(kBound + 1));
    dropOn(propal()->viewport(), &data);
    EXPECT_TRUE(m_sink.shown.empty());
    QApplication::processEvents();
    EXPECT_EQ(m_sink.shown.size(), 1u);
    EXPECT_TRUE(propal()->document()->isEmpty());
}
