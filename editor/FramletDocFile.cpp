// Files and mail of the image document.
#include "editor/FramletDoc.h"

void CFramletDoc::Serialize(CArchive&) {}
BOOL CFramletDoc::SaveImage(CBitmap*, LPCSTR) { return FALSE; }
CString CFramletDoc::PromptSaveName() { return CString(); }
BOOL CFramletDoc::OnFileSave() { return FALSE; }
BOOL CFramletDoc::OnFileSaveAs() { return FALSE; }
BOOL CFramletDoc::SaveModified() { return COleDocument::SaveModified(); }
void CFramletDoc::OnSaveCommand() { OnFileSave(); }
void CFramletDoc::OnSaveAsCommand() { OnFileSaveAs(); }
void CFramletDoc::OnCopySelectionToFile() {}
void CFramletDoc::SendByMail() {}
void CFramletDoc::OnUpdateSendByMail(CCmdUI* pCmdUI) { OnUpdateFileSendMail(pCmdUI); }
void CFramletDoc::OnChangeResolution() {}
