#pragma once

class CWnd;
class GallerySheet;

// Each scene makes its controls on `owner` (a shown top-level window) from dialog
// template entries, the way a form gets them, puts them into each of their states, and
// writes the pictures to `sheet`. False when a picture could not be made or written.
bool RenderImageButtons(CWnd& owner, GallerySheet& sheet);
bool RenderImageListBox(CWnd& owner, GallerySheet& sheet);
bool RenderTreeComboBox(CWnd& owner, GallerySheet& sheet);
bool RenderTabHosts(CWnd& owner, GallerySheet& sheet);
