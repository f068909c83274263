#include "mainwin/gui/Startup.h"

#include "dialogs/Unit4.h"
#include "dialogs/infoForm.h"
#include "editing/BildForm.h"
#include "editing/KommentarForm.h"
#include "editing/editKats.h"
#include "editing/editRezForm.h"
#include "exchange/ExpRez.h"
#include "exchange/RezKonvExport.h"
#include "exchange/Unit5.h"
#include "mainwin/MsgForm.h"
#include "mainwin/Unit1.h"
#include "search/Unit2.h"
#include "settings/Unit3.h"
#include "store/AppState.h"
#include "store/DB_aktualisierung.h"
#include "store/Unit6.h"

namespace tk {

Windows::~Windows()
{
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
    Forms& f = w->forms;
    f.Form1 = new TForm1(st, f);
    f.Form9 = new TForm9(st, f);
    f.Form2 = new TForm2(st, f);
    f.Form3 = new TForm3(st, f);
    f.Form4 = new TForm4(st, f);
    f.Form5 = new TForm5(st, f);
    f.Form13 = new TForm13(st, f);
    f.Form6 = new TForm6(st, f);
    f.Form6->UpdateRezepte();
    f.Form7 = new TForm7(st, f);
    f.Form8 = new TForm8(st, f);
    f.Form10 = new TForm10(st, f);
    f.Form11 = new TForm11(st, f);
    f.Form12 = new TForm12(st, f);
    f.Form14 = new TForm14(st, f);
    f.Form15 = new TForm15(st, f);
    return w;
}

} // namespace tk
