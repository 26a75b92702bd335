#include "edition.h"

const EditionTexts editionSued = {
    "Installation der Velmora Süd für X-Plane",
    "Hiermit installieren Sie die Velmora Süd für X-Plane",
    "Wenn Sie zusätzlich die optional erhältliche Velmora Nord nutzen wollen, beachten Sie bitte, "
    "dass Velmora Nord nach Velmora Süd installiert werden muss.",
    "Klicken Sie hier, um ein PDF der Anleitung zur Velmora Süd zu öffnen:",
};
