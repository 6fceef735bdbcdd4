// Where the program's windows open: the main window at its design place, and a second window
// beside it so that the main window stays in sight.
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

#include <initializer_list>

class QWidget;

// The frame of a window of this size beside the main window's frame, level with its top: on its
// right where the screen area has room, else on its left. Where neither side has room for the
// whole frame, it is narrowed to the room on the wider side, down to narrowest; past that it
// keeps its width on the side with more room. It is always kept on the screen area.
QRect besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea,
                       int narrowest);

// The main window's frame of this size at `offset` from the screen area's top-left corner, kept
// whole on the screen area: moved, then cut to its height where it is taller. A frame wider than
// the area keeps its place.
QRect mainWindowFrame(const QSize& frame, const QRect& screenArea, int offset);

// The frame of a window of this size below the main window's frame, level with its left and kept
// on the screen area, as tall as the room there allows.
QRect belowMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea);

// A frame that would cover part of `clear` ends above it, as high as it may be: where a second
// window cannot open beside the main window, it leaves the main window's buttons and counts in
// sight.
QRect keptClearOf(QRect frame, const QRect& clear);

// Where the program cannot place its windows, the compositor centres a second window over the
// main window: the second window's size, without its frame, no wider than the main window's and
// low enough that, centred, its frame ends above `controlsTop`, but never lower than `lowest`.
QSize centredOverMainWindow(const QRect& mainFrame, const QSize& decoration, const QSize& size,
                            int controlsTop, int lowest);

// Moves a second window that is not shown yet beside the main window and the other windows shown
// beside it (see besideMainWindow), so that it covers none of them; where no side has room, below
// the main window when the room there is at least `lowest` high, else clear of `controls` (the
// main window's buttons and counts, in global coordinates). A shown one stays where the master
// put it.
// Where the program cannot place its windows, the compositor puts the second one centred over the
// main window: it is kept above the main window and made low enough that, centred, it ends above
// `controls`.
void placeBeside(QWidget* second, QWidget* mainWindow, const QRect& controls, int narrowest,
                 int lowest, std::initializer_list<const QWidget*> others = {});

// Whether the program may place its windows: Wayland leaves that to the compositor, which puts a
// window given a parent over that parent and keeps it above it.
bool windowsArePlaced();
// Where the program cannot place its windows, keeps the second one above the main window, which
// it then never hides behind.
void keepAbove(QWidget* second, QWidget* mainWindow);

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
