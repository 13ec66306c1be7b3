#pragma once

#include "base/fileutils.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "storage/months/monthfile.h"

#include <algorithm>

#include <QStringList>

#include <gtest/gtest.h>

// What the in-use lists of a folder should hold and the latest entry they should report,
// worked out through the month store's own reading (TMonth), so that the in-use rebuild is
// checked against another route through the same files.
struct TMonthPairs {
    QStringList ClientProjects;     // "client\tproject", sorted, each once
    QStringList CategoryActivities; // "category\tactivity", sorted, each once
    TMoment LastEntry;

    explicit TMonthPairs(const QString& folder) {
        for (const QString& name : MonthFileNames(folder)) {
            const auto month = TMonth::CreateFromFile(folder + name, LastPathPart(folder));
            LastEntry = std::max(LastEntry, month->LastEntryMoment());
            for (const auto& day : month->Days)
                for (const auto& block : day->Blocks) {
                    ClientProjects.append(block->Client + QLatin1Char('\t') + block->Project);
                    CategoryActivities.append(block->Category + QLatin1Char('\t') +
                                              block->Activity);
                }
        }
        Tidy(ClientProjects);
        Tidy(CategoryActivities);
    }

    static void Tidy(QStringList& list) {
        list.removeDuplicates();
        list.sort();
    }
};

// The pairs of a list in the same form; fails the test when a pair is inactive or has billing,
// which an in-use list never holds.
inline QStringList ListPairs(const TClients& clients) {
    QStringList pairs;
    for (const TClient& client : clients.Items())
        for (const auto& project : client.Projects()) {
            EXPECT_TRUE(project.Info.Active) << project.Name.toStdString();
            EXPECT_FALSE(project.Info.BillingInfo.has_value()) << project.Name.toStdString();
            pairs.append(client.Name + QLatin1Char('\t') + project.Name);
        }
    TMonthPairs::Tidy(pairs);
    return pairs;
}

inline QStringList ListPairs(const TCategories& categories) {
    QStringList pairs;
    for (const TCategory& category : categories.Items())
        for (const auto& activity : category.Activities()) {
            EXPECT_TRUE(activity.Info.Active) << activity.Name.toStdString();
            pairs.append(category.Name + QLatin1Char('\t') + activity.Name);
        }
    TMonthPairs::Tidy(pairs);
    return pairs;
}
