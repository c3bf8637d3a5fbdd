#pragma once

// Makes assistive technology see a PageControl as the user does: its tab
// bar lists only the tabs that are shown, and its pages only the pages whose
// tabs are shown. A page whose tab is hidden (the bank-maintenance page, the
// practice pages of other modes) is out of the accessibility tree, as it is
// out of reach on screen. Installed once, by the first PageControl.
void installPageControlAccessibility();
