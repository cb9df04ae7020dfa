-- Neovim headless, with the configuration an author would use (scenario_compiler.lua), on the
-- built-in scenario's sources: open the train file, break a row and read the diagnostics back,
-- hover a station's stop value, complete a keyword, fix the row with the quick fix and see the
-- diagnostics clear. Run by ctest (lsp_neovim):
--   SC_EXECUTABLE=... SC_FOLDER=... SC_TRANSCRIPT=... nvim --headless -u NONE -i NONE -n \
--     -c 'luafile editors/neovim/lsp_test.lua'
-- Exits 0 when every step held, 1 with the step that failed.
local exe = os.getenv('SC_EXECUTABLE')
local folder = os.getenv('SC_FOLDER')
local transcript_path = os.getenv('SC_TRANSCRIPT')
local here = debug.getinfo(1, 'S').source:sub(2):match('(.*/)')
local transcript = {}
local function say(text) table.insert(transcript, text) end

local function run()
  assert(exe and folder and transcript_path, 'SC_EXECUTABLE, SC_FOLDER and SC_TRANSCRIPT are needed')
  vim.fn.mkdir(folder, 'p')
  local exported = vim.fn.system({ exe, 'export', '--out', folder })
  assert(vim.v.shell_error == 0, 'export failed: ' .. exported)

  -- Each publication, with when it came.
  local published = {}
  local default = vim.lsp.handlers['textDocument/publishDiagnostics']
  vim.lsp.handlers['textDocument/publishDiagnostics'] = function(err, result, ctx, config)
    table.insert(published, { uri = result.uri, count = #result.diagnostics, at = vim.loop.hrtime() })
    return default(err, result, ctx, config)
  end

  vim.g.scenario_compiler = exe
  vim.g.scenario_compiler_debounce = 0  -- so the latency is the server's, not the editor's wait
  dofile(here .. 'scenario_compiler.lua')
  vim.cmd('edit ' .. vim.fn.fnameescape(folder .. '/Zenvro_Quarvel_2417-.txt'))
  local buffer = vim.api.nvim_get_current_buf()
  local uri = vim.uri_from_bufnr(buffer)
  local function published_for_buffer()
    local n = 0
    for _, p in ipairs(published) do if p.uri == uri then n = n + 1 end end
    return n
  end
  assert(vim.wait(10000, function() return published_for_buffer() >= 1 end, 10),
         'no diagnostics were published for the opened file')
  assert(#vim.diagnostic.get(buffer) == 0, 'the built-in train file has diagnostics')
  say('opened ' .. vim.fn.fnamemodify(vim.api.nvim_buf_get_name(buffer), ':t') .. ': 0 diagnostics')

  local lines = vim.api.nvim_buf_get_lines(buffer, 0, -1, false)
  local function line_of(prefix)
    for i, l in ipairs(lines) do if l:sub(1, #prefix) == prefix then return i - 1, l end end
    error('no line starts with ' .. prefix)
  end

  -- Break a row: the signal at 4150 m loses its keyword's last letter.
  local signal_line, signal_text = line_of('segnale,    4150')
  local changed_at = vim.loop.hrtime()
  vim.api.nvim_buf_set_lines(buffer, signal_line, signal_line + 1, false,
                             { (signal_text:gsub('^segnale', 'segnal')) })
  assert(vim.wait(5000, function() return #vim.diagnostic.get(buffer) > 0 end, 1),
         'the broken row brought no diagnostic')
  local latency_ms
  for _, p in ipairs(published) do
    if p.uri == uri and p.at > changed_at and not latency_ms then latency_ms = (p.at - changed_at) / 1e6 end
  end
  local diagnostics = vim.diagnostic.get(buffer)
  assert(#diagnostics == 1, 'expected one diagnostic, got ' .. #diagnostics)
  local d = diagnostics[1]
  assert(d.lnum == signal_line and d.col == 0, 'the diagnostic is not at the broken row')
  assert(d.code == 'unknown-row', 'the diagnostic has no warning name: ' .. vim.inspect(d.code))
  assert(d.severity == vim.diagnostic.severity.WARN, 'the diagnostic is no warning')
  assert(d.message:find('did you mean "segnale"', 1, true), 'no did-you-mean: ' .. d.message)
  say(string.format('diagnostics after breaking line %d (%.1f ms from the change to the publication):',
                    signal_line + 1, latency_ms))
  for _, e in ipairs(diagnostics) do
    say(string.format('  %d:%d-%d:%d %s [%s] %s', e.lnum + 1, e.col + 1, e.end_lnum + 1, e.end_col + 1,
                      e.severity == 1 and 'error' or 'warning', e.code, e.message))
  end

  -- Hover a station's stop value: the station at 6000 m stops a minute.
  local station_line, station_text = line_of('stazione,    6000')
  local stop_column = station_text:find(' 60,', 1, true)
  local hover = vim.lsp.buf_request_sync(buffer, 'textDocument/hover', {
    textDocument = { uri = uri }, position = { line = station_line, character = stop_column },
  }, 5000)
  local _, answer = next(hover or {})
  assert(answer and answer.result, 'the hover was not answered')
  local text = answer.result.contents.value
  assert(text:find('**stop value**: field 13 of 17 of a **station** row', 1, true), 'hover: ' .. text)
  assert(text:find('range: 0 to 255', 1, true), 'the hover has no range: ' .. text)
  say('hover on line ' .. (station_line + 1) .. ', column ' .. (stop_column + 1) .. ':')
  for l in text:gmatch('[^\n]+') do say('  ' .. l) end

  -- Complete a keyword on a new line.
  vim.api.nvim_buf_set_lines(buffer, station_line + 1, station_line + 1, false, { 'staz' })
  local completion = vim.lsp.buf_request_sync(buffer, 'textDocument/completion', {
    textDocument = { uri = uri }, position = { line = station_line + 1, character = 4 },
  }, 5000)
  local _, completed = next(completion or {})
  assert(completed and completed.result, 'the completion was not answered')
  local chosen
  local labels = {}
  for _, item in ipairs(completed.result.items) do
    table.insert(labels, item.label)
    if item.label == 'stazione' then chosen = item end
  end
  assert(chosen, 'no "stazione" among ' .. table.concat(labels, ', '))
  assert(chosen.insertText:find('^stazione, %${1:position}, %${2:type}, %${3:length}'),
         'the snippet has not the fields: ' .. chosen.insertText)
  say('completion at "staz": ' .. table.concat(labels, ', '))
  say('  stazione inserts: ' .. chosen.insertText)
  vim.api.nvim_buf_set_lines(buffer, station_line + 1, station_line + 2, false, {})
  -- The diagnostic stands a line lower until the check of the line's removal is published.
  assert(vim.wait(5000, function()
    return #vim.diagnostic.get(buffer, { lnum = signal_line }) == 1
  end, 1), 'the diagnostic did not come back to its row')

  -- Fix the row with the quick fix the diagnostic offers.
  local actions = vim.lsp.buf_request_sync(buffer, 'textDocument/codeAction', {
    textDocument = { uri = uri },
    range = { start = { line = signal_line, character = 0 }, ['end'] = { line = signal_line, character = 6 } },
    context = { diagnostics = vim.lsp.diagnostic.get_line_diagnostics(buffer, signal_line) },
  }, 5000)
  local _, offered = next(actions or {})
  assert(offered and offered.result and #offered.result == 1, 'no quick fix was offered')
  say('quick fix: ' .. offered.result[1].title)
  vim.lsp.util.apply_workspace_edit(offered.result[1].edit, 'utf-16')
  assert(vim.api.nvim_buf_get_lines(buffer, signal_line, signal_line + 1, false)[1] == signal_text,
         'the quick fix did not give the row back')
  assert(vim.wait(5000, function() return #vim.diagnostic.get(buffer) == 0 end, 1),
         'the diagnostics did not clear once the row was fixed')
  say('after the fix: 0 diagnostics')

  -- The server ends at the editor's shutdown and exit.
  local client = vim.lsp.get_client_by_id(vim.lsp.get_active_clients()[1].id)
  client.stop()
  assert(vim.wait(5000, function() return client.is_stopped() end, 10), 'the server did not stop')
end

local ok, problem = xpcall(run, debug.traceback)
if not ok then say('FAILED: ' .. tostring(problem)) end
local file = io.open(transcript_path, 'w')
file:write(table.concat(transcript, '\n') .. '\n')
file:close()
io.stdout:write(table.concat(transcript, '\n') .. '\n')
vim.cmd(ok and 'qa!' or 'cquit 1')
