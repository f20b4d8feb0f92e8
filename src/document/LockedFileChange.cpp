#include "LockedFileChange.h"

#include "PrivateFolder.h"

std::string ChangeLockedFile(const std::string& folder, const std::string& name,
                             std::string_view what,
                             const std::function<std::string(std::string_view bytes)>& change) {
    const FolderChange lock(folder);
    if (!lock.Ok()) {
        return "无法保存" + std::string(what) + "：" + lock.Problem();
    }
    const PrivateFile file = lock.Read(name);
    if (file.status == PrivateFile::Status::Failed) {
        return file.problem + "\n" + std::string(what) + "没有改动。";
    }
    const std::string problem = lock.Write(name, change(file.bytes));
    return problem.empty()
               ? std::string()
               : "无法保存" + std::string(what) + " " + folder + "/" + name + "：" + problem;
}
