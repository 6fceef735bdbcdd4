// Refusals reach the game master as boxes with the game's text and icon; the version box has no
// icon and CR between its lines; the real boxes are QMessageBox titled "Plimo" with OK, or Yes/No
// with Yes as default, and every style draws each of their lines on a line of its own.
#include "UiFixture.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <functional>
#include <tuple>

using RefusalTest = UiFixture;

TEST_F(RefusalTest, TheButtonsShowTheGamesRefusalsWithTheirIcons)
{
    const struct {
        const char* button;
        QString text;
        MessageIcon icon;
    } cases[] = {{"init", messages::kNoReference, MessageIcon::Critical},
                 {"Générer", messages::kNotInitialised, MessageIcon::Warning}};
    for (const auto& c : cases) {
        m_sink.shown.clear();
        clickButton(QString::fromUtf8(c.button));
        ASSERT_EQ(m_sink.shown.size(), 1u) << c.button;
        EXPECT_EQ(m_sink.shown[0].text, c.text);
        EXPECT_EQ(m_sink.shown[0].icon, c.icon);
    }
}

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
    ASSERT_TRUE(startWindow(nullptr, &m_choosers));
    QString title;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString text;
    // The box is modal: answer it from the event loop once it is up.
    onModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        icon = box->icon();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    trigger("mnu_version");
    EXPECT_EQ(title, QStringLiteral("Plimo"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(text, QStringLiteral("Gestion des plimos.\nÉcrit par Tevim\nVersion 2.5.0"));
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

// The real box the question calls for, looked at and then closed with its default button.
Answer shownBox(const Question& question, const std::function<void(QMessageBox*)>& look)
{
    std::function<void()> onBox;
    onBox = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, onBox);
            return;
        }
        look(box);
        box->defaultButton()->click();
    };
    QTimer::singleShot(0, onBox);
    return MessageBoxSink(nullptr).answer(question);
}

TEST_P(BoxIconTest, InformBoxHasTitleIconAndOk)
{
    const Answer answer = shownBox({messages::kTooLong, GetParam().icon, Question::Buttons::Ok},
                                   [expected = GetParam().expected](QMessageBox* box) {
                                       EXPECT_EQ(box->windowTitle(), QStringLiteral("Plimo"));
                                       EXPECT_EQ(box->icon(), expected);
                                       EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                                       EXPECT_EQ(box->text(),
                                                 QString(messages::kTooLong).replace(u'\r', u'\n'));
                                   });
    EXPECT_EQ(answer, Answer::Yes);
}

INSTANTIATE_TEST_SUITE_P(Icons, BoxIconTest, ::testing::ValuesIn(kIcons));

TEST(QuestionBoxTest, AsksYesOrNoWithYesAsDefaultUnlessNoIsAskedFor)
{
    for (const bool noByDefault : {false, true}) {
        const Question question{QStringLiteral("Quitter ?"), MessageIcon::Question,
                                Question::Buttons::YesNo, noByDefault};
        const Answer answer = shownBox(question, [](QMessageBox* box) {
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        });
        EXPECT_EQ(answer, noByDefault ? Answer::No : Answer::Yes);
    }
}

namespace {

// The rectangle of a label's dark pixels, that is of the text it draws.
QRect inkRect(QLabel* label)
{
    const QImage image = label->grab().toImage();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

struct DrawnBoxCase {
    const char* name;
    bool quitQuestion;
    QMessageBox::StandardButton answer;
    QStringList lines;
};

void PrintTo(const DrawnBoxCase& c, std::ostream* out)
{
    *out << c.name;
}

const DrawnBoxCase kDrawnBoxes[] = {
    {"Version",
     false,
     QMessageBox::Ok,
     {QStringLiteral("Gestion des plimos."), QStringLiteral("Écrit par Tevim"),
      QStringLiteral("Version 2.5.0")}},
    {"QuitQuestion",
     true,
     QMessageBox::No,
     {QStringLiteral("Vos données n'ont pas été enregistrées."),
      QStringLiteral("Voulez-vous quand même quitter le programme ?")}},
};

class BoxLinesTest : public UiFixture,
                     public ::testing::WithParamInterface<std::tuple<DrawnBoxCase, QString>> {
  protected:
    void TearDown() override
    {
        UiFixture::TearDown();
        QApplication::setStyle(m_style);
    }

    QString m_style = QApplication::style()->name();
};

} // namespace

// Every style Qt ships draws each CR-separated line of a real box on a line of its own: the
// text is as many lines high as the message has, and as wide as its widest line (a text run
// together, or wrapped elsewhere, is wider or narrower).
TEST_P(BoxLinesTest, EachLineIsDrawnOnItsOwn)
{
    const DrawnBoxCase& box = std::get<0>(GetParam());
    ASSERT_NE(QApplication::setStyle(std::get<1>(GetParam())), nullptr);
    ASSERT_TRUE(startWindow(nullptr, &m_choosers));
    QRect ink;
    QFontMetrics metrics(QFont{});
    onModal<QMessageBox>([&](QMessageBox* shown) {
        if (auto* label = shown->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            ink = inkRect(label);
            metrics = label->fontMetrics();
        }
        shown->button(box.answer)->click();
    });
    if (box.quitQuestion) {
        ref()->setPlainText(QStringLiteral("LE CHAT"));
        clickButton(QStringLiteral("quit"));
    } else {
        trigger("mnu_version");
    }

    ASSERT_FALSE(ink.isEmpty()) << "no text drawn";
    EXPECT_EQ(qRound(double(ink.height()) / metrics.lineSpacing()), box.lines.size());
    int widest = 0;
    for (const QString& line : box.lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    EXPECT_NEAR(ink.width(), widest, metrics.averageCharWidth());
}

INSTANTIATE_TEST_SUITE_P(Styles, BoxLinesTest,
                         ::testing::Combine(::testing::ValuesIn(kDrawnBoxes),
                                            ::testing::ValuesIn(QStyleFactory::keys())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).toStdString();
                         });
