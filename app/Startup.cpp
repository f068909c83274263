#include "app/Startup.h"

#include <QPointer>

#include "dialogs/gui/Unit4.h"
#include "dialogs/gui/infoForm.h"
#include "editing/gui/BildForm.h"
#include "editing/gui/KommentarForm.h"
#include "editing/gui/editKats.h"
#include "editing/gui/editRezForm.h"
#include "exchange/gui/ExpRez.h"
#include "exchange/gui/RezKonvExport.h"
#include "exchange/gui/Unit5.h"
#include "mainwin/gui/MsgForm.h"
#include "mainwin/gui/Unit1.h"
#include "search/gui/Unit2.h"
#include "settings/gui/Unit3.h"
#include "store/AppState.h"
#include "mainwin/gui/DB_aktualisierung.h"
#include "mainwin/gui/Unit6.h"

namespace tk {

Windows::~Windows()
{
    if (m_state)
        m_state->offenerKommentar = nullptr;
    // Every window is top-level; delete in reverse order of creation.
    delete forms.Form15;
    delete forms.Form14;
    delete forms.Form12;
    delete forms.Form11;
    delete forms.Form10;
    delete forms.Form8;
    delete forms.Form7;
    delete forms.Form6;
    delete forms.Form13;
    delete forms.Form5;
    delete forms.Form4;
    delete forms.Form3;
    delete forms.Form2;
    delete forms.Form9;
    delete forms.Form1;
}

std::unique_ptr<Windows> createWindows(AppState& st)
{
    auto w = std::make_unique<Windows>();
    w->m_state = &st;
    Forms& f = w->forms;
    // What a crashed copy left half-way is finished or discarded before anything reads the collection.
    st.sammlung.aufraeumen();
    f.Form1 = new TForm1(st, f);
    f.Form9 = new TForm9(st);
    f.Form2 = new TForm2(st);
    f.Form1->suchfensterAnschliessen(*f.Form2);
    f.Form3 = new TForm3(st);
    f.Form4 = new TForm4(st, f.Form1, f.Form3, f.Form2);
    f.Form5 = new TForm5(st);
    f.Form13 = new TForm13(st, f);
    f.Form6 = new TForm6(st, f);
    f.Form6->UpdateRezepte();
    f.Form7 = new TForm7(st);
    f.Form8 = new TForm8(st);
    f.Form10 = new TForm10(st);
    f.Form1->exportfensterAnschliessen(*f.Form10);
    f.Form11 = new TForm11(st);
    f.Form12 = new TForm12(st);
    // The comment window follows the recipe on show and holds what the user typed for it.
    TForm1* haupt = f.Form1;
    TForm12* kommentar = f.Form12;
    QObject::connect(haupt, &TForm1::kommentarChanged, kommentar,
        [haupt, kommentar] { kommentar->setKommentarZeilen(haupt->RezeptKommentar); });
    kommentar->setKommentarZeilen(haupt->RezeptKommentar);
    st.offenerKommentar = [&st, kommentar = QPointer<TForm12>(kommentar)](int n) -> std::optional<QStringList> {
        if (!kommentar || n != st.AngezeigtesRezept)
            return std::nullopt;
        return kommentar->kommentarZeilen();
    };
    f.Form14 = new TForm14(st);
    f.Form15 = new TForm15(st);
    return w;
}

} // namespace tk
