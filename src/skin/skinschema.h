#pragma once

#include "skin/cskin.h"
#include "skin/itemkind.h"

#include <QString>
#include <span>

// Everything a skin can set: the categories and items of the property list, in list order. The
// schema is the same for every skin; an item's key is also its key in skin.ini and in the skin
// document's info table.
struct SchemaCategory {
    const char* key;     // e.g. "(general)"
    const char* caption; // shown in the category row, through translatedCaption()
};

struct SchemaItem {
    const char* category; // the key of the category it belongs to
    const char* caption;  // Italian; shown through translatedCaption()
    const char* key;
    ItemKind kind;
    bool advOpt; // the user may switch it off and on again
};

std::span<const SchemaCategory> skinSchemaCategories();
std::span<const SchemaItem> skinSchemaItems();

// The caption in the language of the installed translation. The Italian one in the table stays
// the key: the table is built before any translator can be installed.
QString translatedCaption(const SchemaCategory& category);
QString translatedCaption(const SchemaItem& item);

// Loads the schema, with translated captions, into a list (the property list model or a stand-in
// of a test) and binds it to the skin: LoadingItems, each category followed by its items, then
// Ready. Items that cannot be switched off are added without the fifth argument, so the list's own
// default applies.
template <class List> void loadSkinSchema(List& list, SkinRef& skin) {
    list.LoadingItems();
    const auto items = skinSchemaItems();
    for (const SchemaCategory& cat : skinSchemaCategories()) {
        const QString catKey = QString::fromUtf8(cat.key);
        list.AddCat(catKey, translatedCaption(cat));
        for (const SchemaItem& it : items) {
            if (qstrcmp(it.category, cat.key) != 0)
                continue;
            if (it.advOpt)
                list.AddItem(catKey, translatedCaption(it), QString::fromUtf8(it.key), it.kind,
                             true);
            else
                list.AddItem(catKey, translatedCaption(it), QString::fromUtf8(it.key), it.kind);
        }
    }
    list.Ready(skin);
}
