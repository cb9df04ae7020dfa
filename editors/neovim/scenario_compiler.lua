-- Neovim (0.7 or later): the language server of scenario-compiler for line files
-- (NAME_linea.txt) and train files (NAME_NUMBER-.txt). Put this file in ~/.config/nvim/lua/
-- and add `require('scenario_compiler')` to init.lua; `vim.g.scenario_compiler` names the
-- program when it is not on PATH.
local client_id = nil

local function attach(buffer)
  if not client_id or vim.lsp.get_client_by_id(client_id) == nil then
    client_id = vim.lsp.start_client({
      name = 'scenario-compiler',
      cmd = { vim.g.scenario_compiler or 'scenario-compiler', 'lsp' },
      root_dir = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(buffer), ':p:h'),
      flags = { debounce_text_changes = vim.g.scenario_compiler_debounce or 50 },
    })
  end
  vim.lsp.buf_attach_client(buffer, client_id)
end

vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
  pattern = { '*_linea.txt', '*-.txt' },
  callback = function(args)
    vim.bo[args.buf].filetype = 'scenario'
    attach(args.buf)
  end,
})
