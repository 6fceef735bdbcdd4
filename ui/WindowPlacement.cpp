// Placing the main window, and a second window beside it.
#include "WindowPlacement.h"

#include "Twips.h"
#include "WindowDesign.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

QRect besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea,
                       int narrowest)
{
    const int roomRight = screenArea.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - screenArea.left();
    const bool onRight =
        roomRight >= frame.width() || (roomLeft < frame.width() && roomRight >= roomLeft);
    const int room = onRight ? roomRight : roomLeft;
    const int width = room < frame.width() && room >= narrowest ? room : frame.width();
    // A frame wider than the screen keeps its left edge, and its title bar, on it.
    const auto keepOn = [](int at, int low, int high) { return std::max(low, std::min(at, high)); };
    const int x = keepOn(onRight ? mainFrame.right() + 1 : mainFrame.left() - width,
                         screenArea.left(), screenArea.right() + 1 - width);
    const int y =
        keepOn(mainFrame.top(), screenArea.top(), screenArea.bottom() + 1 - frame.height());
    return {QPoint(x, y), QSize(width, frame.height())};
}

void placeBeside(QWidget* second, const QWidget* mainWindow, int narrowest)
{
    if (second->isVisible())
        return;
    const QRect screenArea =
        mainWindow->screen() ? mainWindow->screen()->availableGeometry() : QRect();
    const QRect frame = second->frameGeometry();
    const QRect beside =
        besideMainWindow(mainWindow->frameGeometry(), frame.size(), screenArea, narrowest);
    second->resize(beside.size() - (frame.size() - second->size()));
    second->move(beside.topLeft());
}

MainWindowPlacement::MainWindowPlacement(QWidget* window) : QObject(window), m_window(window)
{
    m_window->installEventFilter(this);
}

void MainWindowPlacement::place()
{
    placeNow();
    m_placeOnShow = true;
}

void MainWindowPlacement::placeNow()
{
    const QRect screenArea = m_window->screen() ? m_window->screen()->geometry() : QRect();
    const int offset = twips::toPixels(design::kPlacementTwips);
    m_window->move(screenArea.topLeft() + QPoint(offset, offset));
    const int frameHeight = m_window->frameGeometry().height() - m_window->height();
    m_window->resize(m_window->width(),
                     twips::toPixels(design::kOuterHeightTwips) - frameHeight);
}

bool MainWindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    QWindow* handle = m_window->windowHandle();
    if (watched == m_window && event->type() == QEvent::Show && m_placeOnShow) {
        m_placeOnShow = false;
        placeNow();
        if (handle && handle->frameMargins().isNull()) {
            m_placeWhenFramed = true;
            handle->installEventFilter(this);
        }
    } else if (m_placeWhenFramed && watched == handle && event->type() == QEvent::Expose &&
               handle->isExposed()) {
        m_placeWhenFramed = false;
        handle->removeEventFilter(this);
        placeNow();
    }
    return QObject::eventFilter(watched, event);
}
