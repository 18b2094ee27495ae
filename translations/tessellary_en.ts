<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="it">
<context>
    <name>EditorStart</name>
    <message>
        <source>Sono state trovate modifiche non salvate dello skin «%1» (%2). Recuperarle?</source>
        <translation>Unsaved changes to the skin “%1” were found (%2). Recover them?</translation>
    </message>
    <message>
        <source>Tessellary è già aperto. Un secondo editor userebbe la stessa cartella di lavoro del primo: chiudi l&apos;altro prima.
(File di blocco: %1)</source>
        <translation>Tessellary is already open. A second editor would use the same working folder as the first: close the other one first.
(Lock file: %1)</translation>
    </message>
    <message>
        <source>Impossibile preparare la cartella degli skin %1</source>
        <translation>Cannot prepare the skins folder %1</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Chiamata di routine o argomento non validi</source>
        <translation>Invalid procedure call or argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Memoria esaurita</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>Indice non compreso nell&apos;intervallo</source>
        <translation>Subscript out of range</translation>
    </message>
    <message>
        <source>Nome o numero di file non valido</source>
        <translation>Bad file name or number</translation>
    </message>
    <message>
        <source>Impossibile trovare il file</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Errore di I/O della periferica</source>
        <translation>Device I/O error</translation>
    </message>
    <message>
        <source>File già esistente</source>
        <translation>File already exists</translation>
    </message>
    <message>
        <source>Disco pieno</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Input oltre la fine del file</source>
        <translation>Input past end of file</translation>
    </message>
    <message>
        <source>Autorizzazione negata</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Errore di accesso al percorso/file</source>
        <translation>Path/File access error</translation>
    </message>
    <message>
        <source>Impossibile trovare il percorso</source>
        <translation>Path not found</translation>
    </message>
</context>
<context>
    <name>PreviewRenderer</name>
    <message>
        <source>File</source>
        <extracomment>Menus of the sample client window in the preview.</extracomment>
        <translation>File</translation>
    </message>
    <message>
        <source>Connessione</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Visualizza</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Strumenti</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Alias...</source>
        <extracomment>Entries of the open menu of the sample client window in the preview.</extracomment>
        <translation>Aliases...</translation>
    </message>
    <message>
        <source>Trigger...</source>
        <translation>Triggers...</translation>
    </message>
    <message>
        <source>Cambia skin...</source>
        <translation>Change skin...</translation>
    </message>
    <message>
        <source>Opzioni...</source>
        <translation>Options...</translation>
    </message>
    <message>
        <source>Alias definiti:</source>
        <translation>Defined aliases:</translation>
    </message>
    <message>
        <source>n</source>
        <extracomment>Aliases in the list box of the sample client window: commands of a game, typed short (&quot;n&quot; for &quot;nord&quot;, &quot;giu&quot; for &quot;giù&quot;).
----------
Aliases and the commands they stand for, in the list view of the sample client window.</extracomment>
        <translation>n</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>e</source>
        <translation>e</translation>
    </message>
    <message>
        <source>o</source>
        <translation>w</translation>
    </message>
    <message>
        <source>su</source>
        <translation>u</translation>
    </message>
    <message>
        <source>giu</source>
        <translation>d</translation>
    </message>
    <message>
        <source>pp</source>
        <translation>gb</translation>
    </message>
    <message>
        <source>gt</source>
        <translation>la</translation>
    </message>
    <message>
        <source>ss</source>
        <translation>ga</translation>
    </message>
    <message>
        <source>bb</source>
        <translation>db</translation>
    </message>
    <message>
        <source>nord</source>
        <translation>north</translation>
    </message>
    <message>
        <source>sud</source>
        <translation>south</translation>
    </message>
    <message>
        <source>prendi pane</source>
        <translation>get bread</translation>
    </message>
    <message>
        <source>guarda tutto</source>
        <translation>look all</translation>
    </message>
    <message>
        <source>saluta tutti</source>
        <translation>greet all</translation>
    </message>
    <message>
        <source>bevi birra</source>
        <translation>drink beer</translation>
    </message>
    <message>
        <source>dd</source>
        <translation>sl</translation>
    </message>
    <message>
        <source>dormi</source>
        <translation>sleep</translation>
    </message>
    <message>
        <source>ii</source>
        <translation>i</translation>
    </message>
    <message>
        <source>inventario</source>
        <translation>inventory</translation>
    </message>
    <message>
        <source>dici %1 a tutti</source>
        <extracomment>A command typed in the text box of the sample client window; %1 is the selected word.</extracomment>
        <translation>say %1 to everyone</translation>
    </message>
    <message>
        <source>ciao</source>
        <extracomment>The selected word of &quot;dici %1 a tutti&quot;.</extracomment>
        <translation>hello</translation>
    </message>
    <message>
        <source>Alias</source>
        <extracomment>The title of the sample dialog in the preview.</extracomment>
        <translation>Aliases</translation>
    </message>
    <message>
        <source>Aggiungi</source>
        <extracomment>Buttons of the sample dialog in the preview.</extracomment>
        <translation>Add</translation>
    </message>
    <message>
        <source>Rimuovi</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Nuovo</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Elimina</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ProblemsPanel</name>
    <message>
        <source>Verifica skin</source>
        <translation>Check skin</translation>
    </message>
    <message>
        <source>Gravità</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>Impostazione</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Problema</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Nessuno skin aperto</source>
        <translation>No skin open</translation>
    </message>
    <message>
        <source>Nessun problema</source>
        <translation>No problems</translation>
    </message>
    <message>
        <source>%1 errore</source>
        <translation>%1 error</translation>
    </message>
    <message>
        <source>%1 errori</source>
        <translation>%1 errors</translation>
    </message>
    <message>
        <source>%1 avviso</source>
        <translation>%1 warning</translation>
    </message>
    <message>
        <source>%1 avvisi</source>
        <translation>%1 warnings</translation>
    </message>
    <message>
        <source>%1 e %2</source>
        <extracomment>&quot;2 errori e 1 avviso&quot;</extracomment>
        <translation>%1 and %2</translation>
    </message>
</context>
<context>
    <name>PropListModel</name>
    <message>
        <source>Nessuno skin aperto: impossibile attivare la sfumatura</source>
        <translation>No skin open: cannot switch the gradient on</translation>
    </message>
    <message>
        <source>impossibile creare %1</source>
        <translation>cannot create %1</translation>
    </message>
    <message>
        <source>%1: impossibile scrivere %2</source>
        <translation>%1: cannot write %2</translation>
    </message>
    <message>
        <source>Nessuna cartella di lavoro: %1</source>
        <translation>No working folder: %1</translation>
    </message>
    <message>
        <source>impossibile copiare %1</source>
        <translation>cannot copy %1</translation>
    </message>
    <message>
        <source>%1 (valore di %2 fuori intervallo)</source>
        <translation>%1 (value of %2 out of range)</translation>
    </message>
    <message>
        <source>%1 (valori di %2 fuori intervallo)</source>
        <translation>%1 (values of %2 out of range)</translation>
    </message>
    <message>
        <source>impossibile scrivere %1</source>
        <translation>cannot write %1</translation>
    </message>
</context>
<context>
    <name>RecentSkins</name>
    <message>
        <source>Nessuno skin recente</source>
        <translation>No recent skins</translation>
    </message>
</context>
<context>
    <name>RecoveryKeeper</name>
    <message>
        <source>Impossibile salvare la copia di recupero delle modifiche: %1</source>
        <translation>Cannot save the recovery copy of the changes: %1</translation>
    </message>
</context>
<context>
    <name>SafeFolder</name>
    <message>
        <source>Impossibile creare la cartella di lavoro %1</source>
        <translation>Cannot create the working folder %1</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 è un collegamento simbolico: non viene usata</source>
        <translation>The working folder %1 is a symbolic link: it is not used</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 non è una cartella utilizzabile</source>
        <translation>The working folder %1 is not a usable folder</translation>
    </message>
    <message>
        <source>La cartella di lavoro %1 appartiene a un altro utente: non viene usata</source>
        <translation>The working folder %1 belongs to another user: it is not used</translation>
    </message>
    <message>
        <source>Impossibile creare la cartella %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>Impossibile aprire la cartella %1</source>
        <translation>Cannot open the folder %1</translation>
    </message>
</context>
<context>
    <name>Screenshot</name>
    <message>
        <source>uso: tessellary-screenshot FILE.png [--lang en]</source>
        <translation>usage: tessellary-screenshot FILE.png [--lang en]</translation>
    </message>
    <message>
        <source>%1 non trovato</source>
        <translation>%1 not found</translation>
    </message>
    <message>
        <source>impossibile salvare %1</source>
        <translation>cannot save %1</translation>
    </message>
</context>
<context>
    <name>SkinDocument</name>
    <message>
        <source>%1: impossibile scrivere %2</source>
        <translation>%1: cannot write %2</translation>
    </message>
    <message>
        <source>Nessuna cartella di lavoro: %1</source>
        <translation>No working folder: %1</translation>
    </message>
    <message>
        <source>Nessuna cartella di lavoro (%1): %2</source>
        <translation>No working folder (%1): %2</translation>
    </message>
    <message>
        <source>Impossibile ripristinare l&apos;immagine &quot;%1&quot;: la cartella di lavoro non è scrivibile o il disco è pieno.</source>
        <translation>Cannot restore the picture &quot;%1&quot;: the working folder is not writable or the disk is full.</translation>
    </message>
    <message>
        <source>Skin Credits</source>
        <translation>Skin Credits</translation>
    </message>
    <message>
        <source>impossibile scrivere %1</source>
        <translation>cannot write %1</translation>
    </message>
</context>
<context>
    <name>SkinSchema</name>
    <message>
        <source>Impostazioni generali</source>
        <translation>General settings</translation>
    </message>
    <message>
        <source>Immagini</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>Maschere</source>
        <translation>Masks</translation>
    </message>
    <message>
        <source>Pulsanti</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <source>Barra di scorrimento</source>
        <translation>Scroll bar</translation>
    </message>
    <message>
        <source>Etichetta</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Lista</source>
        <translation>List box</translation>
    </message>
    <message>
        <source>Elenco</source>
        <translation>List view</translation>
    </message>
    <message>
        <source>Casella di testo</source>
        <translation>Text box</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menus</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Finestra</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Titolo dello skin</source>
        <translation>Skin title</translation>
    </message>
    <message>
        <source>Nome immagine</source>
        <translation>Picture name</translation>
    </message>
    <message>
        <source>Massimizza</source>
        <translation>Maximise</translation>
    </message>
    <message>
        <source>Minimizza</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>Ripristina</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Alto</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Centro</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Basso</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Aliases</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Triggers</translation>
    </message>
    <message>
        <source>Connessione</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Disconnessione</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Cambio skin</source>
        <translation>Change skin</translation>
    </message>
    <message>
        <source>Uscita</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Aggiungi</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Rimuovi</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Nuovo</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Elimina</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Utilizza maschere</source>
        <translation>Use masks</translation>
    </message>
    <message>
        <source>Spostamento orizzontale</source>
        <translation>Horizontal shift</translation>
    </message>
    <message>
        <source>Spostamento verticale</source>
        <translation>Vertical shift</translation>
    </message>
    <message>
        <source>Spessore bordo</source>
        <translation>Border width</translation>
    </message>
    <message>
        <source>Pulsante normale</source>
        <translation>Button (normal)</translation>
    </message>
    <message>
        <source>Pulsante premuto</source>
        <translation>Button (pressed)</translation>
    </message>
    <message>
        <source>Testo del pulsante</source>
        <translation>Button text</translation>
    </message>
    <message>
        <source>Trasparenza</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Colore Sfondo</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>Mostra bordo</source>
        <translation>Show border</translation>
    </message>
    <message>
        <source>Colore 1</source>
        <translation>Colour 1</translation>
    </message>
    <message>
        <source>Colore 2</source>
        <translation>Colour 2</translation>
    </message>
    <message>
        <source>Colore Testo</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>Colore Selezione</source>
        <translation>Selection colour</translation>
    </message>
    <message>
        <source>Linee divisorie</source>
        <translation>Grid lines</translation>
    </message>
    <message>
        <source>Colore selezione</source>
        <translation>Selection colour</translation>
    </message>
    <message>
        <source>Sfondo dei menu</source>
        <translation>Menu background</translation>
    </message>
    <message>
        <source>Selezione nei menu</source>
        <translation>Menu selection</translation>
    </message>
    <message>
        <source>Testo dei menu</source>
        <translation>Menu text</translation>
    </message>
    <message>
        <source>Testo selezionato menu</source>
        <translation>Selected menu text</translation>
    </message>
    <message>
        <source>Colore principale</source>
        <translation>Main colour</translation>
    </message>
    <message>
        <source>Colore trasparente</source>
        <translation>Transparent colour</translation>
    </message>
    <message>
        <source>Colore chiaro bordi</source>
        <translation>Light border colour</translation>
    </message>
    <message>
        <source>Colore scuro bordi</source>
        <translation>Dark border colour</translation>
    </message>
    <message>
        <source>Stile del bordo</source>
        <translation>Border style</translation>
    </message>
    <message>
        <source>Sfumatura titolo finestra</source>
        <translation>Window title gradient</translation>
    </message>
    <message>
        <source>Altezza titolo</source>
        <translation>Title height</translation>
    </message>
    <message>
        <source>Sfondo finestre</source>
        <translation>Window background</translation>
    </message>
    <message>
        <source>Titolo finestre</source>
        <translation>Window title text</translation>
    </message>
    <message>
        <source>Titolo grassetto</source>
        <translation>Bold title</translation>
    </message>
    <message>
        <source>Titolo corsivo</source>
        <translation>Italic title</translation>
    </message>
</context>
<context>
    <name>SkinValidator</name>
    <message>
        <source>«%1»</source>
        <extracomment>Quotation marks around a name or value in a problem&apos;s message.</extracomment>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>,</source>
        <comment>decimal separator</comment>
        <extracomment>The decimal separator of a contrast ratio such as &quot;2,50:1&quot;; one character.</extracomment>
        <translation>.</translation>
    </message>
    <message>
        <source>la tappa %1</source>
        <translation>stop %1</translation>
    </message>
    <message>
        <source>le tappe %1</source>
        <translation>stops %1</translation>
    </message>
    <message>
        <source>%1 e altre %2</source>
        <extracomment>%1 is &quot;le tappe 1, 2, 3, 4, 5&quot;, %2 how many more stops there are.</extracomment>
        <translation>%1 and %2 more</translation>
    </message>
    <message>
        <source>Il titolo dello skin è vuoto</source>
        <translation>The skin&apos;s title is empty</translation>
    </message>
    <message>
        <source>Il titolo è lungo %1 caratteri: il pacchetto ne può contenere al massimo %2</source>
        <translation>The title is %1 characters long: the package can hold at most %2</translation>
    </message>
    <message>
        <source>La maschera</source>
        <translation>The mask</translation>
    </message>
    <message>
        <source>L&apos;immagine</source>
        <extracomment>The subject of the messages about a picture: %1 of &quot;%1 %2 non è una bitmap leggibile&quot;.</extracomment>
        <translation>The picture</translation>
    </message>
    <message>
        <source>%1 %2 non c&apos;è né nello skin né nello skin predefinito</source>
        <translation>%1 %2 is in neither the skin nor the default skin</translation>
    </message>
    <message>
        <source>%1 %2 non è una bitmap leggibile</source>
        <translation>%1 %2 is not a readable bitmap</translation>
    </message>
    <message>
        <source>%1 %2 è di %3 × %4 pixel invece di %5 × %5</source>
        <translation>%1 %2 is %3 × %4 pixels instead of %5 × %5</translation>
    </message>
    <message>
        <source>La maschera premuta</source>
        <translation>The pressed mask</translation>
    </message>
    <message>
        <source>Lo skin ha la maschera %1 ma non quella premuta %2: il client prenderebbe quella dello skin predefinito</source>
        <translation>The skin has the mask %1 but not its pressed twin %2: the client would take the default skin&apos;s</translation>
    </message>
    <message>
        <source>%1 non è un numero intero</source>
        <translation>%1 is not a whole number</translation>
    </message>
    <message>
        <source>%1 è fuori dall&apos;intervallo da -32768 a 32767</source>
        <translation>%1 is outside the range -32768 to 32767</translation>
    </message>
    <message>
        <source>%1 è fuori dai valori che hanno senso, da %2 a %3</source>
        <translation>%1 is outside the values that make sense, %2 to %3</translation>
    </message>
    <message>
        <source>La sfumatura dichiara %1 tappe, più delle %2 che si possono leggere</source>
        <translation>The gradient declares %1 stops, more than the %2 that can be read</translation>
    </message>
    <message>
        <source>La sfumatura ha una sola tappa: ne servono almeno due</source>
        <translation>The gradient has a single stop: it needs at least two</translation>
    </message>
    <message>
        <source>La sfumatura dichiara %1 tappe, ma non ha %2</source>
        <extracomment>%2 is &quot;la tappa 3&quot; or &quot;le tappe 3, 4&quot;.</extracomment>
        <translation>The gradient declares %1 stops but lacks %2</translation>
    </message>
    <message>
        <source>la tappa %1 (a %2) viene prima della tappa %3 (a %4)</source>
        <translation>stop %1 (at %2) comes before stop %3 (at %4)</translation>
    </message>
    <message>
        <source>Per %1 la posizione è fuori dall&apos;intervallo da 0 a 100</source>
        <extracomment>%1 is &quot;la tappa 3&quot; or &quot;le tappe 3, 4&quot;.</extracomment>
        <translation>For %1 the position is outside the range 0 to 100</translation>
    </message>
    <message>
        <source>Le tappe non sono in ordine: %1</source>
        <translation>The stops are out of order: %1</translation>
    </message>
    <message>
        <source>Il testo ha un contrasto di %1:1 su %2, sotto il minimo di 3:1</source>
        <translation>The text has a contrast of %1:1 on %2, below the minimum of 3:1</translation>
    </message>
    <message>
        <source>Il testo ha un contrasto di %1:1 su %2 (tappa %3), sotto il minimo di 3:1</source>
        <translation>The text has a contrast of %1:1 on %2 (stop %3), below the minimum of 3:1</translation>
    </message>
    <message>
        <source>Chiave sconosciuta in skin.ini: forse %1?</source>
        <translation>Unknown key in skin.ini: did you mean %1?</translation>
    </message>
    <message>
        <source>Nessuna impostazione usa il file %1: nel pacchetto è solo peso</source>
        <translation>No setting uses the file %1: in the package it is only dead weight</translation>
    </message>
</context>
<context>
    <name>TessellarySkn</name>
    <message>
        <source>PACCHETTO [--default PREDEFINITO] [--json]</source>
        <translation>PACKAGE [--default DEFAULT] [--json]</translation>
    </message>
    <message>
        <source>Il file non è un pacchetto skin: %1</source>
        <translation>The file is not a skin package: %1</translation>
    </message>
    <message>
        <source>Il pacchetto finisce prima di tutti i file che dichiara: %1</source>
        <translation>The package ends before all the files it declares: %1</translation>
    </message>
    <message>
        <source>Impossibile copiare il pacchetto nella cartella temporanea: %1</source>
        <translation>Cannot copy the package into the temporary folder: %1</translation>
    </message>
    <message>
        <source>Impossibile creare le cartelle temporanee in %1: %2</source>
        <translation>Cannot create the temporary folders in %1: %2</translation>
    </message>
    <message>
        <source>Impossibile creare le cartelle temporanee</source>
        <translation>Cannot create the temporary folders</translation>
    </message>
    <message>
        <source>Attenzione: %1</source>
        <translation>Warning: %1</translation>
    </message>
    <message>
        <source>Uso: tessellary-skn %1 %2</source>
        <translation>Usage: tessellary-skn %1 %2</translation>
    </message>
    <message>
        <source>CARTELLA PACCHETTO --title TITOLO [NOME...]</source>
        <translation>FOLDER PACKAGE --title TITLE [NAME...]</translation>
    </message>
    <message>
        <source>PACCHETTO CARTELLA [--overwrite]</source>
        <translation>PACKAGE FOLDER [--overwrite]</translation>
    </message>
    <message>
        <source>PACCHETTO</source>
        <translation>PACKAGE</translation>
    </message>
    <message>
        <source>PACCHETTO [--default PREDEFINITO]</source>
        <translation>PACKAGE [--default DEFAULT]</translation>
    </message>
    <message>
        <source>PACCHETTO [--default PREDEFINITO] [--credits TESTO]</source>
        <translation>PACKAGE [--default DEFAULT] [--credits TEXT]</translation>
    </message>
    <message>
        <source>PACCHETTO OUTPUT.png [--default PREDEFINITO] [--size LxA] [--scale N] [--map MAPPA.json]</source>
        <translation>PACKAGE OUTPUT.png [--default DEFAULT] [--size WxH] [--scale N] [--map MAP.json]</translation>
    </message>
    <message>
        <source>unpack legge e controlla tutto il pacchetto prima di scrivere e non cancella nulla: la
  CARTELLA viene creata se manca e i file che vi esistono già restano; se il pacchetto ne
  sostituirebbe uno non scrive niente, a meno di --overwrite, che sostituisce solo i file
  ordinari (mai collegamenti o cartelle).
pack con dei NOMI mette nel pacchetto proprio quei file, anche nascosti (un nome non può
  contenere cartelle); senza NOMI, tutti i file non nascosti della CARTELLA.
check stampa un problema per riga (gravità, codice, chiave, messaggio, separati da
  tabulazioni) o, con --json, un array; esce con 0 senza errori (gli avvisi non contano), 1
  con almeno un errore, 2 se il pacchetto non si legge per intero.
Nei risultati e nei messaggi: caratteri di controllo come \n \r \t \xHH, barra rovescia come \\.
--lang en scrive i messaggi in inglese, --lang it in italiano; senza, vale la lingua
  dell&apos;ambiente (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
</source>
        <translation>unpack reads and checks the whole package before writing and deletes nothing: the
  FOLDER is created when missing and the files already in it stay; when the package would
  replace one, it writes nothing unless --overwrite is given, which replaces plain files
  only (never links or folders).
pack with NAMES puts exactly those files in the package, hidden ones too (a name cannot
  contain folders); without NAMES, every file of the FOLDER that is not hidden.
check prints one problem a line (severity, code, key, message, separated by tabs) or,
  with --json, an array; it exits with 0 without errors (warnings do not count), 1 with at
  least one error, 2 when the package cannot be read whole.
In results and messages: control characters as \n \r \t \xHH, a backslash as \\.
--lang en writes the messages in English, --lang it in Italian; without it, the language
  of the environment applies (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
</translation>
    </message>
    <message>
        <source>Uso:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>Comando sconosciuto: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>Non è un file, non incluso nel pacchetto: %1 (è una cartella)</source>
        <translation>Not a file, left out of the package: %1 (it is a folder)</translation>
    </message>
    <message>
        <source>Non è un file, non incluso nel pacchetto: %1 (è una pipe)</source>
        <translation>Not a file, left out of the package: %1 (it is a pipe)</translation>
    </message>
    <message>
        <source>Non è un file, non incluso nel pacchetto: %1</source>
        <translation>Not a file, left out of the package: %1</translation>
    </message>
    <message>
        <source>Nome di file con una cartella, che nessuna estrazione potrebbe ripristinare: %1</source>
        <translation>File name with a folder in it, which no unpacking could put back: %1</translation>
    </message>
    <message>
        <source>Nome di file vuoto, ignorato</source>
        <translation>Empty file name, ignored</translation>
    </message>
    <message>
        <source>File non trovato, non incluso nel pacchetto: %1</source>
        <translation>File not found, left out of the package: %1</translation>
    </message>
    <message>
        <source>Dimensione non valida: %1 (serve LARGHEZZAxALTEZZA, da %2 a %3 pixel per lato)</source>
        <translation>Invalid size: %1 (WIDTHxHEIGHT is needed, %2 to %3 pixels a side)</translation>
    </message>
    <message>
        <source>Scala non valida: %1 (serve un intero da 1 a %2)</source>
        <translation>Invalid scale: %1 (a whole number from 1 to %2 is needed)</translation>
    </message>
    <message>
        <source>Immagine troppo grande: %1 x %2 pixel (al massimo %3 milioni)</source>
        <translation>Image too large: %1 x %2 pixels (at most %3 million)</translation>
    </message>
    <message>
        <source>Impossibile creare le cartelle temporanee in %1</source>
        <translation>Cannot create the temporary folders in %1</translation>
    </message>
    <message>
        <source>Impossibile disegnare l&apos;anteprima</source>
        <translation>Cannot draw the preview</translation>
    </message>
    <message>
        <source>Impossibile scrivere l&apos;immagine %1: %2</source>
        <translation>Cannot write the image %1: %2</translation>
    </message>
    <message>
        <source>Impossibile scrivere la mappa %1: %2</source>
        <translation>Cannot write the map %1: %2</translation>
    </message>
    <message>
        <source>%1: la cartella temporanea non ha spazio per la copia di %2 (%3)</source>
        <translation>%1: the temporary folder has no room for the copy of %2 (%3)</translation>
    </message>
</context>
<context>
    <name>cBinary</name>
    <message>
        <source>Nome troppo lungo per il file system: %1</source>
        <translation>Name too long for the file system: %1</translation>
    </message>
    <message>
        <source>Quota del disco esaurita: %1</source>
        <translation>Disk quota exceeded: %1</translation>
    </message>
    <message>
        <source>File system di sola lettura: %1</source>
        <translation>Read-only file system: %1</translation>
    </message>
    <message>
        <source>è una cartella</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>è una pipe</source>
        <translation>it is a pipe</translation>
    </message>
    <message>
        <source>è un collegamento simbolico</source>
        <translation>it is a symbolic link</translation>
    </message>
    <message>
        <source>è un socket</source>
        <translation>it is a socket</translation>
    </message>
    <message>
        <source>è un dispositivo</source>
        <translation>it is a device</translation>
    </message>
    <message>
        <source>non è un file ordinario</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>Non è un file: %1 (%2)</source>
        <translation>Not a file: %1 (%2)</translation>
    </message>
    <message>
        <source>Testo più lungo di 255 caratteri: %1</source>
        <translation>Text longer than 255 characters: %1</translation>
    </message>
    <message>
        <source>Nome di pacchetto non valido: %1</source>
        <translation>Invalid package name: %1</translation>
    </message>
    <message>
        <source>Titolo più lungo di 255 caratteri: %1…</source>
        <translation>Title longer than 255 characters: %1…</translation>
    </message>
    <message>
        <source>Nome di file non valido: %1</source>
        <translation>Invalid file name: %1</translation>
    </message>
    <message>
        <source>Nome di file più lungo di 255 caratteri: %1…</source>
        <translation>File name longer than 255 characters: %1…</translation>
    </message>
    <message>
        <source>Nome di file con caratteri non ammessi: %1</source>
        <translation>File name with characters that are not allowed: %1</translation>
    </message>
    <message>
        <source>Troppi file per un pacchetto (%1, al massimo %2)</source>
        <translation>Too many files for one package (%1, at most %2)</translation>
    </message>
    <message>
        <source>File troppo grande: %1</source>
        <translation>File too large: %1</translation>
    </message>
    <message>
        <source>Il file è diventato un collegamento simbolico: %1</source>
        <translation>The file has become a symbolic link: %1</translation>
    </message>
    <message>
        <source>Collegamenti simbolici lasciati fuori dal pacchetto %1: %2</source>
        <translation>Symbolic links left out of the package %1: %2</translation>
    </message>
    <message>
        <source>Non è una cartella: %1</source>
        <translation>Not a folder: %1</translation>
    </message>
    <message>
        <source>Nome di file non valido nel pacchetto: %1</source>
        <translation>Invalid file name in the package: %1</translation>
    </message>
    <message>
        <source>Esiste già e non viene sostituito: %1 (%2)</source>
        <translation>Already exists and is not replaced: %1 (%2)</translation>
    </message>
    <message>
        <source>Il pacchetto dichiara %1 file, più dei %2 ammessi: %3</source>
        <translation>The package declares %1 files, more than the %2 allowed: %3</translation>
    </message>
    <message>
        <source>Il file non è un pacchetto di impostazioni: %1</source>
        <translation>The file is not a settings package: %1</translation>
    </message>
</context>
<context>
    <name>cSfum</name>
    <message>
        <source>Il numero di sfumature deve essere maggiore o uguale al numero dei colori</source>
        <translation>The number of shades must be greater than or equal to the number of colours</translation>
    </message>
    <message>
        <source>Impossibile aggiungere un altro colore, il numero delle sfumature è uguale a quello dei Colori.</source>
        <translation>Cannot add another colour: the number of shades equals the number of colours.</translation>
    </message>
</context>
<context>
    <name>cSkin</name>
    <message>
        <source>Impossibile trovare lo skin predefinito %1</source>
        <translation>Cannot find the default skin %1</translation>
    </message>
    <message>
        <source>File troppo grande: %1</source>
        <translation>File too large: %1</translation>
    </message>
</context>
<context>
    <name>frmColor</name>
    <message>
        <source>Selezionatore di colori</source>
        <translation>Colour picker</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Preleva</source>
        <translation>Pick</translation>
    </message>
    <message>
        <source>Recenti</source>
        <translation>Recent</translation>
    </message>
    <message>
        <source>Colori dello skin</source>
        <translation>Skin colours</translation>
    </message>
</context>
<context>
    <name>frmCredits</name>
    <message>
        <source>Skin Credits</source>
        <translation>Skin Credits</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>frmEditor</name>
    <message>
        <source>Bmp Editor</source>
        <translation>Bitmap Editor</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>Colore principale:</source>
        <translation>Main colour:</translation>
    </message>
    <message>
        <source>Colore trasparente:</source>
        <translation>Transparent colour:</translation>
    </message>
    <message>
        <source>Colore chiaro bordi:</source>
        <translation>Light border colour:</translation>
    </message>
    <message>
        <source>Colore scuro bordi:</source>
        <translation>Dark border colour:</translation>
    </message>
    <message>
        <source>Strumenti</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Matita</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>Linea</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Riempimento</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>Contagocce</source>
        <translation>Eyedropper</translation>
    </message>
    <message>
        <source>Rettangolo</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Con Ctrl premuto il rettangolo è pieno</source>
        <translation>Hold Ctrl down for a filled rectangle</translation>
    </message>
    <message>
        <source>Con Maiusc premuto la linea resta orizzontale, verticale o diagonale</source>
        <translation>Hold Shift down to keep the line horizontal, vertical or diagonal</translation>
    </message>
    <message>
        <source>Simmetria:</source>
        <translation>Symmetry:</translation>
    </message>
    <message>
        <source>Nessuna</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Sinistra-destra</source>
        <translation>Left-right</translation>
    </message>
    <message>
        <source>Alto-basso</source>
        <translation>Top-bottom</translation>
    </message>
    <message>
        <source>Entrambe</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>Stato</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Normale</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Premuto</source>
        <translation>Pressed</translation>
    </message>
    <message>
        <source>Nuova maschera</source>
        <translation>New mask</translation>
    </message>
    <message>
        <source>Immagine</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Rifletti orizzontalmente</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <source>Rifletti verticalmente</source>
        <translation>Flip vertically</translation>
    </message>
    <message>
        <source>Ruota di 90°</source>
        <translation>Rotate by 90°</translation>
    </message>
    <message>
        <source>Copia</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Incolla</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Importa…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>Esporta PNG…</source>
        <translation>Export PNG…</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Anteprima</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>colore:</source>
        <translation>colour:</translation>
    </message>
    <message>
        <source>Colore che mostra i pixel trasparenti</source>
        <translation>Colour that shows the transparent pixels</translation>
    </message>
    <message>
        <source>Colori</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Colore del pulsante sinistro</source>
        <translation>Colour of the left button</translation>
    </message>
    <message>
        <source>Colore del pulsante destro</source>
        <translation>Colour of the right button</translation>
    </message>
    <message>
        <source>Il nome del file &quot;%1&quot; non è valido: l&apos;immagine sarà salvata come &quot;%2&quot;.</source>
        <translation>The file name &quot;%1&quot; is not valid: the picture will be saved as &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Impossibile leggere l&apos;immagine &quot;%1&quot;: il file è danneggiato o non è una bitmap di Windows. Si apre un&apos;immagine vuota; il file resta com&apos;è finché non si salva.</source>
        <translation>Cannot read the picture &quot;%1&quot;: the file is damaged or is not a Windows bitmap. An empty picture is opened; the file stays as it is until you save.</translation>
    </message>
    <message>
        <source>Salvare le modifiche all&apos;immagine corrente?</source>
        <translation>Save the changes to the current picture?</translation>
    </message>
    <message>
        <source>Impossibile salvare l&apos;immagine &quot;%1&quot;: la cartella di lavoro non è scrivibile o il disco è pieno.</source>
        <translation>Cannot save the picture &quot;%1&quot;: the working folder is not writable or the disk is full.</translation>
    </message>
    <message>
        <source>Immagini (%1);;Tutti i file (*)</source>
        <translation>Pictures (%1);;All files (*)</translation>
    </message>
    <message>
        <source>Importa immagine</source>
        <translation>Import picture</translation>
    </message>
    <message>
        <source>Impossibile leggere l&apos;immagine &quot;%1&quot;: il formato non è riconosciuto o il file è danneggiato. L&apos;immagine non è stata cambiata.</source>
        <translation>Cannot read the picture &quot;%1&quot;: its format is not recognised or the file is damaged. The picture has not been changed.</translation>
    </message>
    <message>
        <source>Esporta PNG</source>
        <translation>Export PNG</translation>
    </message>
    <message>
        <source>Immagini PNG (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>Impossibile scrivere il file &quot;%1&quot;: la cartella non è scrivibile o il disco è pieno.</source>
        <translation>Cannot write the file &quot;%1&quot;: the folder is not writable or the disk is full.</translation>
    </message>
    <message>
        <source>Gli appunti non contengono un&apos;immagine.</source>
        <translation>The clipboard holds no picture.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Anteprima</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Verifica skin</source>
        <translation>Check skin</translation>
    </message>
    <message>
        <source>&amp;Verifica skin</source>
        <translation>&amp;Check skin</translation>
    </message>
    <message>
        <source>&amp;Skins</source>
        <translation>&amp;Skins</translation>
    </message>
    <message>
        <source>&amp;Nuovo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Apri…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>&amp;Carica</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>&amp;Recenti</source>
        <translation>&amp;Recent</translation>
    </message>
    <message>
        <source>&amp;Salva</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>C&amp;hiudi</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Esci</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Modifica</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Annulla</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Ripeti</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Opzioni</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Skin Credits</source>
        <translation>&amp;Skin Credits</translation>
    </message>
    <message>
        <source>A&amp;nteprima</source>
        <translation>P&amp;review</translation>
    </message>
    <message>
        <source>Apri &amp;cartella skin</source>
        <translation>Open skin &amp;folder</translation>
    </message>
    <message>
        <source>Ci sono modifiche non confermate negli editor aperti. Applicarle?</source>
        <translation>There are unconfirmed changes in the open editors. Apply them?</translation>
    </message>
    <message>
        <source>Salvi le modifiche allo skin corrente?</source>
        <translation>Save the changes to the current skin?</translation>
    </message>
    <message>
        <source>Skin salvato con %1 problemi (%2 errori): vedi Opzioni › Verifica skin.</source>
        <translation>Skin saved with %1 problems (%2 errors): see Options › Check skin.</translation>
    </message>
    <message>
        <source>Il file non è un pacchetto skin: %1</source>
        <translation>The file is not a skin package: %1</translation>
    </message>
    <message>
        <source>Apri skin</source>
        <translation>Open skin</translation>
    </message>
    <message>
        <source>Skin (*.skn);;Tutti i file (*)</source>
        <translation>Skins (*.skn);;All files (*)</translation>
    </message>
    <message>
        <source>Impossibile leggere il modello %1</source>
        <translation>Cannot read the template %1</translation>
    </message>
    <message>
        <source>Impossibile creare %1</source>
        <translation>Cannot create %1</translation>
    </message>
    <message>
        <source>Inserisci un nome per il tuo skin<byte value="xd"/>
NB: Il nome non corrisponde al titolo, ma e&apos; soltanto il nome che verra&apos; dato al file .skn</source>
        <translation>Enter a name for your skin<byte value="xd"/>
NB: The name is not the title, it is only the name the .skn file will be given</translation>
    </message>
    <message>
        <source>Il nome &quot;%1&quot; non è un nome di file valido.</source>
        <translation>The name &quot;%1&quot; is not a valid file name.</translation>
    </message>
    <message>
        <source>Esiste già uno skin con questo nome. Sostituirlo?</source>
        <translation>A skin with this name already exists. Replace it?</translation>
    </message>
    <message>
        <source>&amp;Annulla: %1</source>
        <translation>&amp;Undo: %1</translation>
    </message>
    <message>
        <source>&amp;Ripeti: %1</source>
        <translation>&amp;Redo: %1</translation>
    </message>
</context>
<context>
    <name>frmSfoglia</name>
    <message>
        <source>Sfoglia...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>frmSfum</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Posizione</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Inverti</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Distribuisci</source>
        <translation>Spread</translation>
    </message>
</context>
<context>
    <name>frmText</name>
    <message>
        <source>Inserisci il valore di questa impostazione:</source>
        <translation>Enter the value of this setting:</translation>
    </message>
    <message>
        <source>Solo numeri interi da -32768 a 32767</source>
        <translation>Whole numbers from -32768 to 32767 only</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>uAdvList</name>
    <message>
        <source>ignora voce</source>
        <translation>ignore item</translation>
    </message>
    <message>
        <source>attiva voce</source>
        <translation>use item</translation>
    </message>
    <message>
        <source>disattiva opzione</source>
        <translation>switch option off</translation>
    </message>
    <message>
        <source>attiva opzione</source>
        <translation>switch option on</translation>
    </message>
    <message>
        <source>imposta stringa</source>
        <translation>set text</translation>
    </message>
    <message>
        <source>imposta numero</source>
        <translation>set number</translation>
    </message>
    <message>
        <source>scegli file</source>
        <translation>choose file</translation>
    </message>
    <message>
        <source>modifica immagine</source>
        <translation>edit picture</translation>
    </message>
    <message>
        <source>modifica maschera normale</source>
        <translation>edit normal mask</translation>
    </message>
    <message>
        <source>modifica maschera premuto</source>
        <translation>edit pressed mask</translation>
    </message>
    <message>
        <source>scegli colore</source>
        <translation>choose colour</translation>
    </message>
    <message>
        <source>imposta sfumatura</source>
        <translation>set gradient</translation>
    </message>
</context>
<context>
    <name>uSfum</name>
    <message>
        <source>Colore %1</source>
        <translation>Colour %1</translation>
    </message>
</context>
</TS>
