// Where the program's windows open: the main window at its design place, and a second window
// beside it so that the main window stays in sight.
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

// The frame of a window of this size beside the main window's frame, level with its top: on its
// right where the screen area has room, else on its left. Where neither side has room for the
// whole frame, it is narrowed to the room on the wider side, down to narrowest; past that it
// keeps its width on the side with more room. It is always kept on the screen area.
QRect besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea,
                       int narrowest);

// Moves a second window that is not shown yet beside the main window (see besideMainWindow);
// a shown one stays where the master put it.
void placeBeside(QWidget* second, const QWidget* mainWindow, int narrowest);

// Places the main window near the screen's top-left corner at its design outer height, which
// counts the frame: again at its first showing, once the platform knows its frame, and on X11
// again when the window manager has framed it.
class MainWindowPlacement : public QObject {
  public:
    explicit MainWindowPlacement(QWidget* window);

    // Places the window now and at its first showing.
    void place();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeNow();

    QWidget* m_window;
    bool m_placeOnShow = false;
    // From the first showing until the window is first exposed framed.
    bool m_placeWhenFramed = false;
};
