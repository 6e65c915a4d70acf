// A unit of work: a whole save (the data objects' side rows and the document's own row) stored
// together or not at all, through this thread's database service.
#pragma once

#include <cstdint>
#include <string_view>

namespace plexion::services {

// Begun when made, committed by Commit, rolled back when it ends uncommitted (an exception
// leaving the save, a return before Commit):
//
//   services::UnitOfWork unit("sa_schedule", schedule->ScheduleID());
//   schedule->SaveSubTableData();
//   db.ExecuteStatement("UPDATE sa_schedule SET ... WHERE Id = ...");
//   unit.Commit();
//
// A unit made while another is open on this thread joins it: only the outermost one begins,
// commits and rolls back, and a joined unit that ends uncommitted makes the outermost one roll
// back (its Commit then fails with "the save was undone: ..."). Nothing is retried. A unit
// belongs to the thread that made it, as the database service does.
class UnitOfWork {
 public:
  // Begins (or joins the unit already open on this thread's database service). documentKind
  // and documentId name the document saved ("sa_schedule", 1), so that two saves of one
  // document do not interleave; an empty kind locks nothing beyond the engine's own rules.
  explicit UnitOfWork(std::string_view documentKind = {}, std::int64_t documentId = 0);
  ~UnitOfWork();  // rolls back when it ends uncommitted (outermost unit only)
  void Commit();  // commits (the outermost unit; a nested one only marks itself)
  UnitOfWork(const UnitOfWork&) = delete;
  UnitOfWork& operator=(const UnitOfWork&) = delete;

 private:
  bool Joined() const;  // false once the unit this one belongs to has ended
  void Leave() noexcept;

  bool outermost_;
  std::uint64_t generation_ = 0;
  bool ended_ = false;  // committed, or (outermost) rolled back by Commit
};

// How the error of a save that was rolled back begins; the cause follows.
inline constexpr std::string_view kSaveUndone = "the save was undone: ";

}  // namespace plexion::services
