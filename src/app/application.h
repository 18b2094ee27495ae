#pragma once

class QApplication;

// What every program with the editor's windows sets up before showing them: names, the Italian
// translation of Qt's standard buttons ("Sì", "No", "Annulla"), the list font, and the value
// dialogs for each kind of setting.
void setUpApplication(QApplication& app);

// Registers the dialog of every item kind with the launcher.
void registerValueDialogs();
