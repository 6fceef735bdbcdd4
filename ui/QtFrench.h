// Qt's own texts (standard buttons, the choosers, the panes' context menus) in French.
#pragma once

#include <QString>

class QCoreApplication;

// The folder of Qt's own translation catalogues.
QString qtTranslationsFolder();

// Makes French the default locale and installs Qt's French catalogue (qtbase_fr) from folder on
// app, whatever the system's locale. False when the catalogue cannot be loaded: Qt's texts then
// stay in English and nothing is shown.
bool useFrenchQtTexts(QCoreApplication& app, const QString& folder = qtTranslationsFolder());
