#pragma once

#include <QIcon>


// The marks of the export selections tree: 1 a column on its own, 2 the first column of a
// merge chain, 3 a column inside a chain, 4 the last column of a chain, 5 a group. Drawn at
// every usual device pixel ratio so that they stay sharp on dense screens.
QIcon MergeChainPicture(int index);

// The index of a column's mark from whether the previous column merges into it, whether it
// merges the next one and whether there is a next one.
int MergeChainIndex(bool previousMerges, bool merges, bool hasNext);
