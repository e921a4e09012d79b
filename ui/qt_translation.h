#pragma once

class QCoreApplication;
class QTranslator;

namespace qv {

// Makes Qt's own texts (file and colour dialogs, standard buttons, the context menus of text
// fields) Russian like the rest of the program: loads Qt's translation "qtbase_ru.qm", built
// into the program, or else from Qt's translations folder. Returns the installed translator,
// owned by the application; null when neither is there (the texts then stay English).
QTranslator* InstallQtTranslation(QCoreApplication& application);

} // namespace qv
