// Names of the files a run reads and writes, and the folder they live in.
#pragma once

#include <string>

std::string line_file_name(const std::string& route);                           // _linea.txt
std::string train_file_name(const std::string& route, const std::string& train);  // -.txt
std::string notes_file_name(const std::string& route, const std::string& train);
std::string slowdowns_file_name(const std::string& route, const std::string& train);
std::string timetable_file_name(const std::string& route, const std::string& train);
std::string plan_file_name(const std::string& route);                            // _linea.dat
std::string records_file_name(const std::string& route, const std::string& train);  // .sim
std::string cells_file_name(const std::string& route, const std::string& train);    // .dat

// Whether two paths name one file (the same inode), as a link or another spelling would.
bool same_file(const std::string& a, const std::string& b);

// Joins a folder and a file name with the platform's separator.
std::string join_path(const std::string& folder, const std::string& name);

// The folder that holds the running executable, asked of the operating system.
std::string executable_folder();
