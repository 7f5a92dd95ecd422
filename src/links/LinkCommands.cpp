// The main window's links: "Powered by" and the Help items of both menus.
#include "app/FrmMain.h"
#include "app/Program.h"
#include "links/Links.h"

namespace quillmere {

forms::MenuItem FrmMain::buildMnuHelp2() {
    return forms::MenuItem{
        "mnuHelp2",
        "Help",
        {
            forms::MenuItem{"mnuMailUS2", "Mail Us", {}, [this] { mnuMailUS2_Click(); }},
            forms::MenuItem{"mnuOnlineFAQ2", "Online FAQ", {}, [this] { mnuOnlineFAQ2_Click(); }},
            forms::MenuItem{"mnuConatcOnlineCR2", "Contact Online Customer Representative", {},
                            [this] { mnuConatcOnlineCR2_Click(); }},
        },
        {}};
}

void FrmMain::Label11_Click() { ModIEOpen::OpenURLInBrowser(program_.services, hWnd(), HomePageUrl, "htm"); }

void FrmMain::mnuMailUS1_Click() { ModIEOpen::MailSupport(program_.services, hWnd()); }
void FrmMain::mnuMailUS2_Click() { mnuMailUS1_Click(); }

void FrmMain::mnuOnlineFAQ1_Click() {
    ModIEOpen::OpenURLInBrowser(program_.services, hWnd(), ContactPageUrl, "htm");
}
void FrmMain::mnuOnlineFAQ2_Click() { mnuOnlineFAQ1_Click(); }

void FrmMain::mnuConatcOnlineCR1_Click() {
    ModIEOpen::OpenURLInBrowser(program_.services, hWnd(), ContactPageUrl, "htm");
}
void FrmMain::mnuConatcOnlineCR2_Click() { mnuConatcOnlineCR1_Click(); }

}  // namespace quillmere
