// Answering message boxes without a user, for runs of the program under test.
#pragma once

class QObject;

// When the environment variable PLIMO_ANSWER_BOXES is set, every modal message box is answered
// with its default button shortly after it opens, and its text is written to standard error.
// Without the variable nothing happens.
void answerBoxesWhenUnattended(QObject* owner);
