// Values the game hands back to the window: refusals, questions, conflicts and turn outcomes.
#pragma once

#include <QString>

#include <functional>
#include <optional>

// How a message box presents itself; the window maps it to its own icons.
enum class MessageIcon { None, Critical, Warning, Question, Information };

// A user-correctable refusal: the exact message and its icon. Nothing changed.
struct Refusal {
    QString text;
    MessageIcon icon = MessageIcon::None;

    bool operator==(const Refusal&) const = default;
};

// What the game asks the master in a box, and the buttons the box offers: OK alone (a message
// to read), Oui/Non, or Oui/Non/Annuler, with the answer Entrée gives. Escape and the box's frame
// answer Annuler where it is offered, else Non.
struct Question {
    enum class Buttons { Ok, YesNo, YesNoCancel };
    QString text;
    MessageIcon icon = MessageIcon::Question;
    Buttons buttons = Buttons::YesNo;
    bool noByDefault = false;

    bool operator==(const Question&) const = default;
};

// The master's answer; a box with OK alone answers Yes.
enum class Answer { Yes, No, Cancel };

// How the game asks the master: the window shows the question in a box and gives the answer.
using Asker = std::function<Answer(const Question&)>;

// The first pair of words whose lengths differ, as the conflict dialog shows it.
struct Conflict {
    QString foundWord;    // with "*" for its hidden letters
    QString proposalWord; // may be empty when a separator stands there
    int wordNumber = 0;   // counts from 1
    int position = 0;     // where the proposal word starts in the proposal, from 1

    bool operator==(const Conflict&) const = default;
};

struct AlignmentResult {
    bool proposalChanged = false; // blanks after apostrophes were removed
    std::optional<Conflict> conflict;
};

struct EvaluationResult {
    std::optional<Refusal> refusal;   // set: nothing ran, nothing changed
    std::optional<Conflict> conflict; // set: the turn was rolled back
    bool proposalChanged = false;     // the alignment check rewrote the proposal
    // Set: nothing ran, nothing changed, and nothing is to be shown: the proposal of the last
    // turn again (a second click), or one of an earlier turn the master chose not to play again.
    bool skipped = false;
};

// Texts the engine refuses with. Kept verbatim, typos included.
namespace messages {
inline const QString kNoReference = QStringLiteral("Il n'y a pas de texte de référence !");
inline const QString kTooLong = QStringLiteral(
    "La taille du texte ne peut d'dépasser 600 caractères.\rMerci de réduire votre texte.");
inline const QString kNotInitialised =
    QStringLiteral("Vous n'avez pas initialisé la liste de proposition !");
inline const QString kNoProposal =
    QStringLiteral("Vous n'avez pas renseigné le texte de proposition !");
inline const QString kGameWon =
    QStringLiteral("La partie est gagnée : il n'y a plus de lettre à trouver.");
inline const QString kNoGame = QStringLiteral("Il n'y a pas de partie en cours.");
} // namespace messages
