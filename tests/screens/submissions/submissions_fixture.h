// The operator on the submission list of the current year, which the demo data
// fills with two submissions: January and February.
#pragma once

#include "data/guards.h"
#include "tests/support/app_fixture.h"

class SubmissionsFixture : public AppFixture {
protected:
    SubmissionsFixture()
    {
        logIn(demoOperator);
        fmain->sbPengajuan->click();
    }

    SubmissionListPage &list() { return *fmain->tabJM; }
    StringGrid &grid() { return *fmain->tabJM->sg_jm_pengajuan; }
    QString year() const { return QString::number(QDate::currentDate().year()); }
    std::string submissionCount() { return server.admin().scalar("SELECT COUNT(*) FROM nasn_pengajuan"); }
};
