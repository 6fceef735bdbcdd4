// Placing the main window, and a second window beside it.
#include "WindowPlacement.h"

#include "Twips.h"
#include "WindowDesign.h"

#include <QEvent>
#include <QGuiApplication>
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

QRect mainWindowFrame(const QSize& frame, const QRect& screenArea, int offset)
{
    if (screenArea.isEmpty())
        return QRect(QPoint(offset, offset), frame);
    // A frame wider than the area cannot be whole on it: it keeps its width and its place.
    const QSize size(frame.width(), std::min(frame.height(), screenArea.height()));
    const QPoint wanted = screenArea.topLeft() + QPoint(offset, offset);
    const int x =
        size.width() > screenArea.width()
            ? wanted.x()
            : std::clamp(wanted.x(), screenArea.left(), screenArea.right() + 1 - size.width());
    return QRect(QPoint(x, std::clamp(wanted.y(), screenArea.top(),
                                      screenArea.bottom() + 1 - size.height())),
                 size);
}

QRect belowMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea)
{
    const int width = std::min(frame.width(), screenArea.width());
    const int x =
        std::max(screenArea.left(), std::min(mainFrame.left(), screenArea.right() + 1 - width));
    const int height = std::min(frame.height(), screenArea.bottom() - mainFrame.bottom());
    return {QPoint(x, mainFrame.bottom() + 1), QSize(width, std::max(0, height))};
}

QRect keptClearOf(QRect frame, const QRect& clear)
{
    if (frame.intersects(clear) && frame.top() < clear.top())
        frame.setBottom(clear.top() - 1);
    return frame;
}

QSize centredOverMainWindow(const QRect& mainFrame, const QSize& decoration, const QSize& size,
                            int controlsTop, int lowest)
{
    const int room = 2 * (controlsTop - mainFrame.top()) - mainFrame.height();
    return {std::min(size.width(), mainFrame.width() - decoration.width()),
            std::max(lowest, std::min(size.height(), room - decoration.height()))};
}

bool windowsArePlaced()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void keepAbove(QWidget* second, QWidget* mainWindow)
{
    if (windowsArePlaced())
        return;
    second->winId();
    second->windowHandle()->setTransientParent(mainWindow->windowHandle());
}

void placeBeside(QWidget* second, QWidget* mainWindow, const QRect& controls, int narrowest,
                 int lowest, std::initializer_list<const QWidget*> others)
{
    if (second->isVisible())
        return;
    if (!windowsArePlaced()) {
        keepAbove(second, mainWindow);
        const QRect main = mainWindow->frameGeometry();
        second->resize(centredOverMainWindow(main, main.size() - mainWindow->size(), second->size(),
                                             controls.top(), lowest));
        return;
    }
    const QRect screenArea =
        mainWindow->screen() ? mainWindow->screen()->availableGeometry() : QRect();
    QRect taken = mainWindow->frameGeometry();
    for (const QWidget* other : others) {
        if (other && other->isVisible())
            taken |= other->frameGeometry();
    }
    taken.setTop(mainWindow->frameGeometry().top());
    // A window never shown has no frame yet: the window manager will give it the main window's.
    QSize decoration = second->frameGeometry().size() - second->size();
    if (decoration.isNull())
        decoration = mainWindow->frameGeometry().size() - mainWindow->size();
    const QSize frame = second->size() + decoration;
    QRect beside = besideMainWindow(taken, frame, screenArea, narrowest);
    if (beside.intersects(taken)) {
        const QRect below = belowMainWindow(mainWindow->frameGeometry(), frame, screenArea);
        beside = below.height() >= lowest ? below : keptClearOf(beside, controls);
    }
    second->resize(beside.size() - decoration);
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
    // The area panels leave: a frame placed on the whole screen may open under one, or above it.
    const QRect screenArea = m_window->screen() ? m_window->screen()->availableGeometry() : QRect();
    const QSize decoration = m_window->frameGeometry().size() - m_window->size();
    const QRect frame = mainWindowFrame(
        QSize(m_window->frameGeometry().width(), twips::toPixels(design::kOuterHeightTwips)),
        screenArea, twips::toPixels(design::kPlacementTwips));
    m_window->move(frame.topLeft());
    m_window->resize(frame.size() - decoration);
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
