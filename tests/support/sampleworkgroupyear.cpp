#include "sampleworkgroupyear.h"

#include "base/applocale.h"
#include "sampledata/sampledata.h"
#include "storage/months/monthfile.h"

TSampleWorkGroupYear::TSampleWorkGroupYear(std::uint32_t seed) {
    SetAppLocale(QLocale(QStringLiteral("en_US")));
    TSampleDataGenerator generator(seed);
    Lines = generator.WriteServerData(Folder.path() + QStringLiteral("/Data/"), Users, Year, 1,
                                      Months, &UserFolders);
    for (const QString& folder : UserFolders)
        for (int month = 1; month <= Months; ++month)
            Files.append(folder + MonthFileName(Year, month));
}
