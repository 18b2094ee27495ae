#pragma once

#include "common/locations.h"
#include "skin/skindocument.h"

#include <QList>
#include <QString>
#include <QStringList>

// One thing wrong with a skin, found before the client shows it. The code names the rule and
// never changes, so scripts may rely on it:
//
//   errore  missing-picture     a picture, mask or pressed mask that neither the skin nor the
//                               default skin provides
//   errore  unreadable-picture  a file of the skin that is not a readable bitmap
//   avviso  picture-size        a button picture or a mask that is not 17 x 17
//   avviso  missing-pressed-mask  a mask of the skin whose pressed twin comes from the default
//   errore  invalid-number      a number setting that is not a whole number of 16 bits
//   avviso  number-range        a number outside what the setting can mean
//   errore  gradient-stops      a gradient whose count and stops disagree, or with one stop
//   avviso  gradient-positions  stop positions outside 0-100 or out of order
//   avviso  low-contrast        text on its background below a contrast ratio of 3:1
//   avviso  unknown-key         a key of skin.ini that no setting has
//   avviso  unused-file         a file of the package that nothing names
//   avviso  empty-title         an empty title
//   errore  title-too-long      a title the package cannot hold
struct SkinProblem {
    enum class Severity { Error, Warning };

    QString code;
    Severity severity = Severity::Error;
    // The setting's key ("Connect", "SysMenu_Max"); for a file that nothing names, its name.
    QString key;
    QString message; // for people, in the language of the installed translation
};

// "errore" or "avviso": these words in every language, since scripts read them.
QString severityWord(SkinProblem::Severity severity);

// Checks the skin the document holds, with the files of its working folder, against the default
// skin of its skins folder: what the default provides, the skin need not. Settings that are
// switched off are never a problem. Nothing is reported to the user and nothing is written.
QList<SkinProblem> validateSkin(const SkinDocument& document);

// The names of the files the default package of the skins folder holds; none when there is no
// default package or it cannot be read.
QStringList defaultSkinFiles(const Locations& locations);
