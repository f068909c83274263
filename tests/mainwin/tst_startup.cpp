#include "TestSupport.h"

#include "mainwin/Unit1.h"
#include "mainwin/gui/RecipeList.h"
#include "store/AppState.h"

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void loadsCollection()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("1"), QStringLiteral("Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|"),
            QStringLiteral("||||") });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QCOMPARE(p.st.RezeptAnzahl, 1);
        QCOMPARE(p.forms().Form1->treeview1->count(), 1);
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
