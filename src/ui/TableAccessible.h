// The table for assistive technology (screen readers): the pictures the
// game draws become parts with names in words. The human's hand is a list
// of eight slots ("Queen of spades", "empty"), each enabled only while it
// may be played now; then the trick in order of play, the layout by rows,
// the status lines and the players' names. The keyboard's focus mark is the
// accessible focus.
#pragma once

class TTableView;

/// Makes the table readable; safe to call more than once.
void InstallTableAccessibility();
/// The focus mark moved to a slot (-1: the mark was hidden).
void NotifyTableFocus(TTableView* table, int slot);
/// The table shows something new.
void NotifyTableChanged(TTableView* table);
