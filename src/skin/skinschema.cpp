#include "skinschema.h"

namespace {

constexpr SchemaCategory kCategories[] = {
    {"(general)", "Impostazioni generali"},
    {"(image)", "Immagini"},
    {"(mask)", "Maschere"},
    {"(button)", "Pulsanti"},
    {"(scroller)", "Barra di scorrimento"},
    {"(label)", "Etichetta"},
    {"(list)", "Lista"},
    {"(listview)", "Elenco"},
    {"(textbox)", "Casella di testo"},
    {"(menu)", "Menu"},
    {"(colors)", "Colori"},
    {"(window)", "Finestra"},
};

constexpr bool Opt = true;
constexpr bool Fixed = false;

constexpr SchemaItem kItems[] = {
    {"(general)", "Titolo dello skin", "Title", KindString, Fixed},
    {"(general)", "Nome immagine", "ImageName", KindFile, Fixed},

    {"(image)", "Massimizza", "max.bmp", KindImage, Fixed},
    {"(image)", "Minimizza", "min.bmp", KindImage, Fixed},
    {"(image)", "Ripristina", "norm.bmp", KindImage, Fixed},
    {"(image)", "Chiudi", "close.bmp", KindImage, Fixed},
    {"(image)", "Alto", "up.bmp", KindImage, Fixed},
    {"(image)", "Centro", "center.bmp", KindImage, Fixed},
    {"(image)", "Basso", "down.bmp", KindImage, Fixed},
    {"(image)", "Alias", "Aliases", KindImage, Fixed},
    {"(image)", "Trigger", "Triggers", KindImage, Fixed},
    {"(image)", "Connessione", "Connect", KindImage, Fixed},
    {"(image)", "Disconnessione", "Disconnect", KindImage, Fixed},
    {"(image)", "Cambio skin", "Change_Skin", KindImage, Fixed},
    {"(image)", "Uscita", "Exit", KindImage, Fixed},
    {"(image)", "Ok", "Ok", KindImage, Fixed},
    {"(image)", "Annulla", "Abort", KindImage, Fixed},
    {"(image)", "Aggiungi", "Add", KindImage, Opt},
    {"(image)", "Rimuovi", "Remove", KindImage, Opt},
    {"(image)", "Nuovo", "New", KindImage, Opt},
    {"(image)", "Elimina", "Delete", KindImage, Opt},
    {"(image)", "Salva", "Save", KindImage, Opt},

    {"(mask)", "Utilizza maschere", "UseMasks", KindBool, Opt},
    {"(mask)", "Massimizza", "SysMenu_Max", KindMask, Fixed},
    {"(mask)", "Minimizza", "SysMenu_Min", KindMask, Fixed},
    {"(mask)", "Chiudi", "SysMenu_Close", KindMask, Fixed},
    {"(mask)", "Alto", "Scroller_Up", KindMask, Fixed},
    {"(mask)", "Centro", "Scroller_Center", KindMask, Fixed},
    {"(mask)", "Basso", "Scroller_Down", KindMask, Fixed},

    {"(button)", "Spostamento orizzontale", "SpostX", KindNumber, Fixed},
    {"(button)", "Spostamento verticale", "SpostY", KindNumber, Fixed},
    {"(button)", "Spessore bordo", "Border_Width", KindNumber, Opt},
    {"(button)", "Pulsante normale", "Button_Up", KindColor, Opt},
    {"(button)", "Pulsante premuto", "Button_Down", KindColor, Opt},
    {"(button)", "Testo del pulsante", "Button_Text", KindColor, Opt},

    {"(scroller)", "Trasparenza", "Scroller_Transp", KindNumber, Opt},
    {"(scroller)", "Colore Sfondo", "Scroller_Back", KindColor, Opt},

    {"(label)", "Mostra bordo", "Label_ShowBorder", KindBool, Opt},
    {"(label)", "Colore 1", "Label_Back1", KindColor, Opt},
    {"(label)", "Colore 2", "Label_Back2", KindColor, Opt},
    {"(label)", "Colore Testo", "Label_Text", KindColor, Opt},

    {"(list)", "Colore Sfondo", "List_Back", KindColor, Opt},

    {"(listview)", "Colore Sfondo", "ListView_Back", KindColor, Opt},
    {"(listview)", "Colore Testo", "ListView_Text", KindColor, Opt},
    {"(listview)", "Colore Selezione", "ListView_Sel", KindColor, Opt},
    {"(listview)", "Linee divisorie", "ListView_Line", KindColor, Opt},

    {"(textbox)", "Colore selezione", "TextBox_Sel", KindColor, Opt},

    {"(menu)", "Sfondo dei menu", "Menu_Back", KindColor, Opt},
    {"(menu)", "Selezione nei menu", "Menu_Back_Sel", KindColor, Opt},
    {"(menu)", "Testo dei menu", "Menu_Text", KindColor, Opt},
    {"(menu)", "Testo selezionato menu", "Menu_Text_Sel", KindColor, Opt},

    {"(colors)", "Colore principale", "Color", KindColor, Fixed},
    {"(colors)", "Colore trasparente", "MaskColor", KindColor, Fixed},
    {"(colors)", "Colore chiaro bordi", "LightColor", KindColor, Fixed},
    {"(colors)", "Colore scuro bordi", "DarkColor", KindColor, Fixed},

    {"(window)", "Stile del bordo", "BorderStyle", KindNumber, Fixed},
    {"(window)", "Sfumatura titolo finestra", "Capt", KindGradient, Opt},
    {"(window)", "Altezza titolo", "Caption_Height", KindNumber, Opt},
    {"(window)", "Sfondo finestre", "Win_Back", KindColor, Opt},
    {"(window)", "Titolo finestre", "Capt_Text", KindColor, Opt},
    {"(window)", "Titolo grassetto", "Caption_Bold", KindBool, Opt},
    {"(window)", "Titolo corsivo", "Caption_Italic", KindBool, Opt},
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
