// QMessageBox-backed message boxes with the program's title and icons.
#include "MessageSink.h"

#include "PaneText.h"

#include <QMessageBox>

#include <memory>

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

QMessageBox* createBox(QWidget* parent, const QString& text, MessageIcon icon)
{
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(kTitle);
    box->setIcon(boxIcon(icon));
    box->setTextFormat(Qt::PlainText);
    // The program's texts separate their lines with CR alone, which only some styles' labels
    // break on; every style breaks on LF.
    box->setText(panetext::toPane(text));
    return box;
}

} // namespace

QMessageBox* MessageBoxSink::createInformBox(QWidget* parent, const QString& text, MessageIcon icon)
{
    QMessageBox* box = createBox(parent, text, icon);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

QMessageBox* MessageBoxSink::createQuestionBox(QWidget* parent, const QString& text,
                                               bool noByDefault)
{
    QMessageBox* box = createBox(parent, text, MessageIcon::Question);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
    return box;
}

QMessageBox* MessageBoxSink::createCancellableQuestionBox(QWidget* parent, const QString& text)
{
    QMessageBox* box = createBox(parent, text, MessageIcon::Question);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

MessageSink::Answer MessageSink::answer(const Question& question)
{
    switch (question.buttons) {
    case Question::Buttons::Ok:
        inform(question.text, question.icon);
        return Answer::Yes;
    case Question::Buttons::YesNo:
        return ask(question.text) ? Answer::Yes : Answer::No;
    case Question::Buttons::YesNoCancel:
        break;
    }
    return askOrCancel(question.text);
}

MessageSink::Answer MessageBoxSink::answer(const Question& question)
{
    if (question.buttons != Question::Buttons::YesNo || !question.noByDefault)
        return MessageSink::answer(question);
    std::unique_ptr<QMessageBox> box(createQuestionBox(m_parent, question.text, true));
    return box->exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void MessageBoxSink::inform(const QString& text, MessageIcon icon)
{
    std::unique_ptr<QMessageBox> box(createInformBox(m_parent, text, icon));
    box->exec();
}

bool MessageBoxSink::ask(const QString& text)
{
    std::unique_ptr<QMessageBox> box(createQuestionBox(m_parent, text));
    return box->exec() == QMessageBox::Yes;
}

MessageSink::Answer MessageBoxSink::askOrCancel(const QString& text)
{
    std::unique_ptr<QMessageBox> box(createCancellableQuestionBox(m_parent, text));
    switch (box->exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
