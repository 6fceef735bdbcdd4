// Qt's own texts come in French whatever the system's locale (this test runs under the C
// locale): the quit question answers "Oui" or "Non", the colour and font choosers the program
// opens have French titles and "Annuler", the panes' context menus offer "Copier" and "Coller".
// Without Qt's catalogue the program runs on with Qt's English texts and no message.
#include "QtFrench.h"
#include "Choosers.h"
#include "UiFixture.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {

// A button's or an action's text as the user reads it: no mnemonic mark, no shortcut.
QString readable(QString text)
{
    text.remove(u'&');
    return text.section(u'\t', 0, 0);
}

class QtFrenchTest : public UiFixture {
  protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        ASSERT_EQ(QLocale::system().language(), QLocale::C) << "the test's locale is not C";
    }
    void TearDown() override
    {
        UiFixture::TearDown();
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // The texts of the quit question's two buttons; the question is answered No.
    QStringList quitAnswers()
    {
        QStringList answers;
        EXPECT_TRUE(startWindow(nullptr, &m_choosers));
        onModal<QMessageBox>([&](QMessageBox* box) {
            answers << readable(box->button(QMessageBox::Yes)->text())
                    << readable(box->button(QMessageBox::No)->text());
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });
        ref()->setPlainText(QStringLiteral("LE CHAT"));
        clickButton(QStringLiteral("quit"));
        return answers;
    }
};

TEST_F(QtFrenchTest, TheQuitQuestionAnswersOuiOrNon)
{
    ASSERT_TRUE(useFrenchQtTexts(*qApp));
    EXPECT_EQ(quitAnswers(), (QStringList{QStringLiteral("Oui"), QStringLiteral("Non")}));
    EXPECT_TRUE(m_window->isVisible());
}

// The title and the cancel button of a chooser, which is then cancelled with a click.
struct ChooserTexts {
    QString title;
    QString cancel;
};

template <typename Dialog> std::function<void(Dialog*)> readAndCancel(ChooserTexts& texts)
{
    return [&texts](Dialog* dialog) {
        texts.title = dialog->windowTitle();
        auto* buttons = dialog->template findChild<QDialogButtonBox*>();
        QPushButton* cancel = buttons ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
        if (!cancel) {
            dialog->reject();
            return;
        }
        texts.cancel = readable(cancel->text());
        QTest::mouseClick(cancel, Qt::LeftButton);
    };
}

TEST_F(QtFrenchTest, TheChoosersHaveFrenchTitlesAndAnnuler)
{
    ASSERT_TRUE(useFrenchQtTexts(*qApp));
    QtChoosers choosers;

    ChooserTexts colour;
    onModal<QColorDialog>(readAndCancel<QColorDialog>(colour));
    EXPECT_EQ(choosers.chooseColour(Qt::white, m_window.get()), std::nullopt);
    EXPECT_EQ(colour.title, QStringLiteral("Sélectionner une couleur"));
    EXPECT_EQ(colour.cancel, QStringLiteral("Annuler"));

    ChooserTexts font;
    onModal<QFontDialog>(readAndCancel<QFontDialog>(font));
    EXPECT_EQ(choosers.chooseFont(ref()->font(), m_window.get()), std::nullopt);
    EXPECT_EQ(font.title, QStringLiteral("Choisir une police"));
    EXPECT_EQ(font.cancel, QStringLiteral("Annuler"));
}

TEST_F(QtFrenchTest, ThePanesContextMenusAreFrench)
{
    ASSERT_TRUE(useFrenchQtTexts(*qApp));
    for (QMenu* menu :
         {ref()->createStandardContextMenu(), propal()->createStandardContextMenu()}) {
        QStringList items;
        for (const QAction* action : menu->actions())
            items << readable(action->text());
        EXPECT_TRUE(items.contains(QStringLiteral("Copier"))) << qPrintable(items.join(u'|'));
        EXPECT_TRUE(items.contains(QStringLiteral("Coller"))) << qPrintable(items.join(u'|'));
        delete menu;
    }
}

TEST_F(QtFrenchTest, WithoutTheCatalogueQtStaysInEnglishAndNothingIsShown)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_FALSE(useFrenchQtTexts(*qApp, empty.path()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(quitAnswers(), (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
}

} // namespace
