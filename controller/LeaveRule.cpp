// The questions before leaving the game.
#include "LeaveRule.h"

namespace {

const QString kNoReferenceToQuit = QStringLiteral(
    "Vus ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de référence");
const QString kUnsavedQuestion =
    QStringLiteral("Vos données n'ont pas été enregistrées.\rVoulez-vous quand même quitter le "
                   "programme ?");
const QString kLeaveQuestion =
    QStringLiteral("Vos données n'ont pas été enregistrées.\rVoulez-vous les enregistrer avant de "
                   "changer de partie ?");

} // namespace

LeaveStep leaveStep(LeaveWay way, bool hasReference, bool modified)
{
    using Kind = LeaveStep::Kind;
    if (way == LeaveWay::Quit && !hasReference)
        return {Kind::Refuse, {kNoReferenceToQuit, MessageIcon::Warning, Question::Buttons::Ok}};
    if (!hasReference || !modified)
        return {};
    if (way == LeaveWay::OtherGame)
        return {Kind::AskToSave,
                {kLeaveQuestion, MessageIcon::Question, Question::Buttons::YesNoCancel}};
    return {Kind::AskToLeave, {kUnsavedQuestion, MessageIcon::Question, Question::Buttons::YesNo}};
}
