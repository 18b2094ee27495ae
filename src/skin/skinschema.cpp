#include "skinschema.h"

#include <QCoreApplication>

namespace {

constexpr SchemaCategory kCategories[] = {
    {"(general)", QT_TRANSLATE_NOOP("SkinSchema", "Impostazioni generali")},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Immagini")},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Maschere")},
    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Pulsanti")},
    {"(scroller)", QT_TRANSLATE_NOOP("SkinSchema", "Barra di scorrimento")},
    {"(label)", QT_TRANSLATE_NOOP("SkinSchema", "Etichetta")},
    {"(list)", QT_TRANSLATE_NOOP("SkinSchema", "Lista")},
    {"(listview)", QT_TRANSLATE_NOOP("SkinSchema", "Elenco")},
    {"(textbox)", QT_TRANSLATE_NOOP("SkinSchema", "Casella di testo")},
    {"(menu)", QT_TRANSLATE_NOOP("SkinSchema", "Menu")},
    {"(colors)", QT_TRANSLATE_NOOP("SkinSchema", "Colori")},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Finestra")},
};

constexpr bool Opt = true;
constexpr bool Fixed = false;

constexpr SchemaItem kItems[] = {
    {"(general)", QT_TRANSLATE_NOOP("SkinSchema", "Titolo dello skin"), "Title", KindString, Fixed},
    {"(general)", QT_TRANSLATE_NOOP("SkinSchema", "Nome immagine"), "ImageName", KindFile, Fixed},

    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Massimizza"), "max.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Minimizza"), "min.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Ripristina"), "norm.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Chiudi"), "close.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Alto"), "up.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Centro"), "center.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Basso"), "down.bmp", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Alias"), "Aliases", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Trigger"), "Triggers", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Connessione"), "Connect", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Disconnessione"), "Disconnect", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Cambio skin"), "Change_Skin", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Uscita"), "Exit", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Ok"), "Ok", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Annulla"), "Abort", KindImage, Fixed},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Aggiungi"), "Add", KindImage, Opt},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Rimuovi"), "Remove", KindImage, Opt},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Nuovo"), "New", KindImage, Opt},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Elimina"), "Delete", KindImage, Opt},
    {"(image)", QT_TRANSLATE_NOOP("SkinSchema", "Salva"), "Save", KindImage, Opt},

    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Utilizza maschere"), "UseMasks", KindBool, Opt},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Massimizza"), "SysMenu_Max", KindMask, Fixed},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Minimizza"), "SysMenu_Min", KindMask, Fixed},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Chiudi"), "SysMenu_Close", KindMask, Fixed},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Alto"), "Scroller_Up", KindMask, Fixed},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Centro"), "Scroller_Center", KindMask, Fixed},
    {"(mask)", QT_TRANSLATE_NOOP("SkinSchema", "Basso"), "Scroller_Down", KindMask, Fixed},

    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Spostamento orizzontale"), "SpostX", KindNumber,
     Fixed},
    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Spostamento verticale"), "SpostY", KindNumber,
     Fixed},
    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Spessore bordo"), "Border_Width", KindNumber,
     Opt},
    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Pulsante normale"), "Button_Up", KindColor, Opt},
    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Pulsante premuto"), "Button_Down", KindColor,
     Opt},
    {"(button)", QT_TRANSLATE_NOOP("SkinSchema", "Testo del pulsante"), "Button_Text", KindColor,
     Opt},

    {"(scroller)", QT_TRANSLATE_NOOP("SkinSchema", "Trasparenza"), "Scroller_Transp", KindNumber,
     Opt},
    {"(scroller)", QT_TRANSLATE_NOOP("SkinSchema", "Colore Sfondo"), "Scroller_Back", KindColor,
     Opt},

    {"(label)", QT_TRANSLATE_NOOP("SkinSchema", "Mostra bordo"), "Label_ShowBorder", KindBool, Opt},
    {"(label)", QT_TRANSLATE_NOOP("SkinSchema", "Colore 1"), "Label_Back1", KindColor, Opt},
    {"(label)", QT_TRANSLATE_NOOP("SkinSchema", "Colore 2"), "Label_Back2", KindColor, Opt},
    {"(label)", QT_TRANSLATE_NOOP("SkinSchema", "Colore Testo"), "Label_Text", KindColor, Opt},

    {"(list)", QT_TRANSLATE_NOOP("SkinSchema", "Colore Sfondo"), "List_Back", KindColor, Opt},

    {"(listview)", QT_TRANSLATE_NOOP("SkinSchema", "Colore Sfondo"), "ListView_Back", KindColor,
     Opt},
    {"(listview)", QT_TRANSLATE_NOOP("SkinSchema", "Colore Testo"), "ListView_Text", KindColor,
     Opt},
    {"(listview)", QT_TRANSLATE_NOOP("SkinSchema", "Colore Selezione"), "ListView_Sel", KindColor,
     Opt},
    {"(listview)", QT_TRANSLATE_NOOP("SkinSchema", "Linee divisorie"), "ListView_Line", KindColor,
     Opt},

    {"(textbox)", QT_TRANSLATE_NOOP("SkinSchema", "Colore selezione"), "TextBox_Sel", KindColor,
     Opt},

    {"(menu)", QT_TRANSLATE_NOOP("SkinSchema", "Sfondo dei menu"), "Menu_Back", KindColor, Opt},
    {"(menu)", QT_TRANSLATE_NOOP("SkinSchema", "Selezione nei menu"), "Menu_Back_Sel", KindColor,
     Opt},
    {"(menu)", QT_TRANSLATE_NOOP("SkinSchema", "Testo dei menu"), "Menu_Text", KindColor, Opt},
    {"(menu)", QT_TRANSLATE_NOOP("SkinSchema", "Testo selezionato menu"), "Menu_Text_Sel",
     KindColor, Opt},

    {"(colors)", QT_TRANSLATE_NOOP("SkinSchema", "Colore principale"), "Color", KindColor, Fixed},
    {"(colors)", QT_TRANSLATE_NOOP("SkinSchema", "Colore trasparente"), "MaskColor", KindColor,
     Fixed},
    {"(colors)", QT_TRANSLATE_NOOP("SkinSchema", "Colore chiaro bordi"), "LightColor", KindColor,
     Fixed},
    {"(colors)", QT_TRANSLATE_NOOP("SkinSchema", "Colore scuro bordi"), "DarkColor", KindColor,
     Fixed},

    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Stile del bordo"), "BorderStyle", KindNumber,
     Fixed},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Sfumatura titolo finestra"), "Capt", KindGradient,
     Opt},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Altezza titolo"), "Caption_Height", KindNumber,
     Opt},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Sfondo finestre"), "Win_Back", KindColor, Opt},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Titolo finestre"), "Capt_Text", KindColor, Opt},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Titolo grassetto"), "Caption_Bold", KindBool,
     Opt},
    {"(window)", QT_TRANSLATE_NOOP("SkinSchema", "Titolo corsivo"), "Caption_Italic", KindBool,
     Opt},
};

static_assert(std::size(kCategories) == 12);
static_assert(std::size(kItems) == 62);

} // namespace

std::span<const SchemaCategory> skinSchemaCategories() {
    return kCategories;
}

std::span<const SchemaItem> skinSchemaItems() {
    return kItems;
}

QString translatedCaption(const SchemaCategory& category) {
    return QCoreApplication::translate("SkinSchema", category.caption);
}

QString translatedCaption(const SchemaItem& item) {
    return QCoreApplication::translate("SkinSchema", item.caption);
}
