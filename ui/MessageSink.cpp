// QMessageBox-backed message boxes with the program's title and icons.
#include "MessageSink.h"

#include "PaneText.h"

#include <QMessageBox>


namespace {

const QString kTitle = QStringLiteral("Plimo");

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer MessageBoxSink::answer(const Question& question)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(kTitle);
    box.setIcon(boxIcon(question.icon));
    box.setTextFormat(Qt::PlainText);
    // The program's texts separate their lines with CR alone, which only some styles' labels
    // break on; every style breaks on LF.
    box.setText(panetext::toPane(question.text));
    switch (question.buttons) {
    case Question::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        return Answer::Yes;
    case Question::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(question.noByDefault ? QMessageBox::No : QMessageBox::Yes);
        break;
    case Question::Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
