// Text dragged within the proposal pane is already in it, however long: the move keeps every
// character and shows no box. Only a real drag has the pane as its source, so this runs on an X
// display (Xvfb), where Qt carries the drag in its own event loop.
#include "UiFixture.h"

#include <QScrollBar>
#include <QTextCursor>

namespace {

using DragWithinTest = UiFixture;

// Longer than any paste the pane takes from elsewhere.
QString longText()
{
    QString text = QStringLiteral("le chat dort ").repeated(8000);
    text.truncate(100001);
    return text;
}

TEST_F(DragWithinTest, MovingALongTextKeepsItWithoutABox)
{
    const QString moved = longText();
    propal()->setPlainText(QStringLiteral("FIN\n") + moved);
    QTextCursor selection(propal()->document());
    selection.setPosition(4);
    selection.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    propal()->setTextCursor(selection);
    propal()->verticalScrollBar()->setValue(0);
    QWidget* viewport = propal()->viewport();
    const QRect firstLine = propal()->cursorRect(QTextCursor(propal()->document()));
    const QPoint inSelection(viewport->width() / 2, firstLine.bottom() + firstLine.height() / 2);
    const QPoint beforeFin(1, firstLine.center().y());

    // The drag's own event loop carries it to the drop before "Fin" and ends it there.
    bool dragged = false;
    QTimer::singleShot(0, [&] {
        dragged = true;
        QTest::mouseMove(viewport, beforeFin);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, beforeFin);
    });
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, inSelection);
    QTest::mouseMove(viewport, inSelection + QPoint(0, 40));
    ASSERT_TRUE(dragged);
    QApplication::processEvents();

    EXPECT_TRUE(m_sink.shown.empty());
    const QString after = propal()->toPlainText();
    // Compared whole, never printed: a failure would print the whole pane.
    EXPECT_TRUE(after == moved + QStringLiteral("FIN\n"))
        << after.size() << " characters, starting " << after.left(8).toStdString() << ", ending "
        << after.right(8).toStdString();
}

} // namespace
