// Editing members of the facade.
#include "edit/editor.h"
#include "interaction/keyboard.h"

#include <tavix/grid.h>

namespace tavix {

// A negative Integer is a character from U+8000 on.
void Tavix::RequestEdit(int16_t iKeyAscii) { keyboard_->RequestEdit(static_cast<uint16_t>(iKeyAscii)); }
void Tavix::CommitEdit() { editor_->CommitEdit(); }
void Tavix::CancelEdit() { editor_->CancelEdit(); }
bool Tavix::EditActive() const { return editor_->EditActive(); }

bool Tavix::Editable() const { return editor_->Editable(); }

void Tavix::SetEditable(bool bEditable)
{
    editor_->SetEditable(bEditable);
    host_->PropertyChanged("Editable");
}

bool Tavix::SilentValidation() const { return editor_->SilentValidation(); }

void Tavix::SetSilentValidation(bool bSilent)
{
    editor_->SetSilentValidation(bSilent);
    host_->PropertyChanged("SilentValidation");
}

bool Tavix::TextEditCustomContextMenu() const { return editor_->CustomContextMenu(); }

void Tavix::SetTextEditCustomContextMenu(bool bCustom)
{
    editor_->SetCustomContextMenu(bCustom);
    host_->PropertyChanged("TextEditCustomContextMenu");
}

std::string Tavix::TextEditText() const
{
    const auto* box = editor_->OpenTextEditor();
    return box != nullptr ? box->Text() : std::string();
}

void Tavix::SetTextEditText(const std::string& sText)
{
    if (const auto* box = editor_->OpenTextEditor())
        box->SetText(sText);
}

int32_t Tavix::TextEditSelStart() const
{
    const auto* box = editor_->OpenTextEditor();
    return box != nullptr ? box->SelStart() : 0;
}

void Tavix::SetTextEditSelStart(int32_t lStart)
{
    if (const auto* box = editor_->OpenTextEditor())
        box->SetSel(lStart, lStart);
}

int32_t Tavix::TextEditSelLength() const
{
    const auto* box = editor_->OpenTextEditor();
    return box != nullptr ? box->SelLength() : 0;
}

void Tavix::SetTextEditSelLength(int32_t lLength)
{
    if (const auto* box = editor_->OpenTextEditor())
        box->SetSel(box->SelStart(), box->SelStart() + lLength);
}

std::string Tavix::TextEditSelText() const
{
    const auto* box = editor_->OpenTextEditor();
    return box != nullptr ? box->SelText() : std::string();
}

void Tavix::SetTextEditSelText(const std::string& sText)
{
    if (const auto* box = editor_->OpenTextEditor())
        box->ReplaceSel(sText);
}

int32_t Tavix::TextEditHwnd() const
{
    const auto* box = editor_->OpenTextEditor();
    return box != nullptr ? box->Hwnd() : 0;
}

}  // namespace tavix
