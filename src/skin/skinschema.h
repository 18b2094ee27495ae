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
    const char* caption; // shown in the category row
};

struct SchemaItem {
    const char* category; // the key of the category it belongs to
    const char* caption;
    const char* key;
    ItemKind kind;
    bool advOpt; // the user may switch it off and on again
};

std::span<const SchemaCategory> skinSchemaCategories();
std::span<const SchemaItem> skinSchemaItems();

// Loads the schema into a list (the property list model or a stand-in of a test) and binds it to
// the skin: LoadingItems, each category followed by its items, then Ready. Items that cannot be
// switched off are added without the fifth argument, so the list's own default applies.
template <class List> void loadSkinSchema(List& list, SkinRef& skin) {
    list.LoadingItems();
    const auto items = skinSchemaItems();
    for (const SchemaCategory& cat : skinSchemaCategories()) {
        const QString catKey = QString::fromUtf8(cat.key);
        list.AddCat(catKey, QString::fromUtf8(cat.caption));
        for (const SchemaItem& it : items) {
            if (qstrcmp(it.category, cat.key) != 0)
                continue;
            if (it.advOpt)
                list.AddItem(catKey, QString::fromUtf8(it.caption), QString::fromUtf8(it.key),
                             it.kind, true);
            else
                list.AddItem(catKey, QString::fromUtf8(it.caption), QString::fromUtf8(it.key),
                             it.kind);
        }
    }
    list.Ready(skin);
}
