#include "app/Application.h"
#include "app/TfrmMain.h"

int main(int argc, char** argv)
{
    Application application(argc, argv);
    TfrmMain frmMain;
    if (!frmMain.isDatabaseOpen())
        return 1; // the user has been told that the bank is missing
    application.endWith(frmMain);
    frmMain.show();
    return application.exec();
}
