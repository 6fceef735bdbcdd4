// Refusals reach the game master as boxes with the exact text and icon and change nothing;
// the version box has no icon and CR between its lines; the real boxes are QMessageBox titled
// "Plimo" with OK, or Yes/No with Yes as default.
#include "UiFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

struct RefusalCase {
    const char* label;
    QString reference;
    bool initialiseFirst;
    QString proposal;
    const char* button;
    QString text;
    MessageIcon icon;
};

class RefusalTest : public UiFixture, public ::testing::WithParamInterface<RefusalCase> {};

const RefusalCase kRefusals[] = {
    {"EmptyReference", {}, false, {}, "init", messages::kNoReference, MessageIcon::Critical},
    {"LongReference",
     QString(601, u'A'),
     false,
     {},
     "init",
     messages::kTooLong,
     MessageIcon::Critical},
    {"NotInitialised",
     {},
     false,
     QStringLiteral("LE"),
     "Générer",
     messages::kNotInitialised,
     MessageIcon::Warning},
    {"NoProposal",
     QStringLiteral("LE CHAT"),
     true,
     {},
     "Générer",
     messages::kNoProposal,
     MessageIcon::Warning},
    {"LongProposal", QStringLiteral("LE CHAT"), true, QString(601, u'A'), "Générer",
     messages::kTooLong, MessageIcon::Critical},
};

} // namespace

TEST_P(RefusalTest, ShowsTheTextWithItsIconAndChangesNothing)
{
    const RefusalCase& c = GetParam();
    ref()->setPlainText(c.reference);
    if (c.initialiseFirst)
        clickButton(QStringLiteral("init"));
    propal()->setPlainText(c.proposal);
    const GameSession before = m_window->currentGame();
    const SessionMarkers markers = m_engine->markers();

    clickButton(QString::fromUtf8(c.button));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text, c.text);
    EXPECT_EQ(m_sink.shown[0].icon, c.icon);
    EXPECT_EQ(m_window->currentGame(), before);
    EXPECT_EQ(m_engine->markers().generation, markers.generation);
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.label); });

using VersionBoxTest = UiFixture;

TEST_F(VersionBoxTest, VersionItemShowsThreeLinesWithoutIcon)
{
    trigger("mnu_version");
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text,
              QStringLiteral("Gestion des plimos.\rÉcrit par Tevim\rVersion 2.5.0"));
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::None);
}

TEST_F(VersionBoxTest, RealBoxIsAnsweredAndTitledPlimo)
{
    m_window->setMessageSink(nullptr);
    QString title;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString text;
    // The box is modal: answer it from the event loop once it is up.
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, answer);
            return;
        }
        title = box->windowTitle();
        icon = box->icon();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, answer);
    trigger("mnu_version");
    EXPECT_EQ(title, QStringLiteral("Plimo"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(text, QStringLiteral("Gestion des plimos.\rÉcrit par Tevim\rVersion 2.5.0"));
}

namespace {

struct IconCase {
    MessageIcon icon;
    QMessageBox::Icon expected;
};

class BoxIconTest : public ::testing::TestWithParam<IconCase> {};

const IconCase kIcons[] = {{MessageIcon::None, QMessageBox::NoIcon},
                           {MessageIcon::Critical, QMessageBox::Critical},
                           {MessageIcon::Warning, QMessageBox::Warning},
                           {MessageIcon::Question, QMessageBox::Question}};

} // namespace

TEST_P(BoxIconTest, InformBoxHasTitleIconAndOk)
{
    std::unique_ptr<QMessageBox> box(
        MessageBoxSink::createInformBox(nullptr, messages::kTooLong, GetParam().icon));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Plimo"));
    EXPECT_EQ(box->icon(), GetParam().expected);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->text(), messages::kTooLong);
}

INSTANTIATE_TEST_SUITE_P(Icons, BoxIconTest, ::testing::ValuesIn(kIcons));

TEST(QuestionBoxTest, AsksYesOrNoWithYesAsDefault)
{
    std::unique_ptr<QMessageBox> box(
        MessageBoxSink::createQuestionBox(nullptr, QStringLiteral("Quitter ?")));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Plimo"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
}
