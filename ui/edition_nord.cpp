#include "edition.h"

const EditionTexts editionNord = {
    "Installation der Velmora Nord für X-Plane",
    "Hiermit installieren Sie die Velmora Nord für X-Plane",
    "Wenn Sie zusätzlich die optional erhältliche Velmora Süd nutzen wollen, beachten Sie bitte, "
    "dass Velmora Süd vor Velmora Nord installiert werden muss.",
    "Klicken Sie hier, um ein PDF der Anleitung zur Velmora Nord zu öffnen:",
};
